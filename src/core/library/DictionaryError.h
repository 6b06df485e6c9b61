#pragma once

#include "core/platform/Expected.h"

#include <QJsonObject>
#include <QString>

// A lookup in a JSON object that found no value of the required type.
struct DictionaryError final
{
    enum class Case { valueWithKeyAndTypeNotFound };

    static DictionaryError valueWithKeyAndTypeNotFound(const QString &key)
    {
        return {Case::valueWithKeyAndTypeNotFound, key};
    }

    QString description() const;
    bool operator==(const DictionaryError &other) const = default;

    Case errorCase;
    QString key;
};

// The string stored under the key; a missing key and a value of any other JSON type fail alike.
Expected<QString, DictionaryError> requiredValue(const QJsonObject &object, const QString &key);

#pragma once

#include "core/library/Expression.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

inline QStringList names(const ExpressionList &expressions)
{
    QStringList result;
    for (const auto &expression : expressions)
        result.append(expression->name());
    return result;
}

// Entries as this version writes them, each pattern its name in lower case.
inline QJsonArray library(const QStringList &names)
{
    QJsonArray array;
    for (const QString &name : names)
        array.append(QJsonObject({{QStringLiteral("name"), name},
                                  {QStringLiteral("pattern"), name.toLower()},
                                  {QStringLiteral("text"), QString()},
                                  {QStringLiteral("replacement"), QString()}}));
    return array;
}

inline bool writeLibrary(const QString &path, const QStringList &names)
{
    return writeFile(path, QJsonDocument(library(names)).toJson());
}

inline QJsonArray fileContent(const QString &path)
{
    return QJsonDocument::fromJson(readFile(path)).array();
}

inline QStringList fileNames(const QString &path)
{
    QStringList result;
    for (const QJsonValue &value : fileContent(path))
        result.append(value[QStringLiteral("name")].toString());
    return result;
}

#pragma once

#include "library/Expression.h"

#include <QFile>
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

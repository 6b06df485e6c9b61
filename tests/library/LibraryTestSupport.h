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

// Collects the lines logged under "quorvale.library" while it lives.
class LibraryLogCapture final
{
public:
    LibraryLogCapture() { s_previous = qInstallMessageHandler(&handle), s_lines.clear(); }
    ~LibraryLogCapture() { qInstallMessageHandler(s_previous); }
    QStringList lines() const { return s_lines; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (qstrcmp(context.category, "quorvale.library") == 0)
            return s_lines.append(message);
        s_previous(type, context, message);
    }
    inline static QtMessageHandler s_previous = nullptr;
    inline static QStringList s_lines;
};

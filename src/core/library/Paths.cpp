#include "core/library/Paths.h"

#include "core/library/LibraryLog.h"

#include <QDir>
#include <QStandardPaths>

QString Paths::applicationSupportPath()
{
    static const QString path = [] {
        const QString location = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (location.isEmpty())
            qCWarning(lcLibrary) << "No per-user application data folder is available; the library cannot be saved";
        return location;
    }();
    return path;
}

QString Paths::libraryFilePath()
{
    static const QString path = [] {
        const QString folder = applicationSupportPath();
        return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("expressions.json"));
    }();
    return path;
}

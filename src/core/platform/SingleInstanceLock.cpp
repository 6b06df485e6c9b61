#include "core/platform/SingleInstanceLock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>

namespace {

QString lockFileName(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("expressions.json.lock"));
}

} // namespace

SingleInstanceLock::SingleInstanceLock(const QString &folder)
    : m_folder(folder)
    , m_lock(std::make_unique<QLockFile>(lockFileName(folder)))
{
    // Never stale by age: only a lock whose process is gone may be taken over.
    m_lock->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() = default;

QString SingleInstanceLock::filePath() const
{
    return lockFileName(m_folder);
}

SingleInstanceLock::State SingleInstanceLock::tryLock(std::chrono::milliseconds timeout)
{
    if (m_lock->isLocked())
        return State::locked;
    m_errorString.clear();
    if (m_folder.isEmpty()) {
        m_errorString = QStringLiteral("no data folder");
        return State::failed;
    }
    QDir().mkpath(m_folder);
    // QLockFile names only the kind of failure; the system's reason is the errno of its failed call.
    errno = 0;
    if (m_lock->tryLock(timeout))
        return State::locked;
    const int error = errno;
    if (m_lock->error() == QLockFile::LockFailedError) {
        if (removeUnreadableLockFile())
            return tryLock(timeout);
        m_errorString = QStringLiteral("held by another process");
        return State::heldByAnotherInstance;
    }
    m_errorString = error ? qt_error_string(error) : QStringLiteral("the lock file cannot be made");
    return State::failed;
}

// QLockFile judges a lock by the process it names, and one whose contents cannot be read (a crash or a power cut
// between making the file and writing it) names none: it would block every start. Its writer had a moment to fill it.
bool SingleInstanceLock::removeUnreadableLockFile()
{
    qint64 pid = 0;
    QString hostName;
    QString application;
    if (m_lock->getLockInfo(&pid, &hostName, &application))
        return false;
    const QFileInfo info(lockFileName(m_folder));
    if (!info.exists() || info.lastModified().secsTo(QDateTime::currentDateTime()) < 10)
        return false;
    return m_lock->removeStaleLockFile();
}

#include "core/platform/SingleInstanceLock.h"

#include <QDir>
#include <QLockFile>

SingleInstanceLock::SingleInstanceLock(const QString &folder)
{
    QDir().mkpath(folder);
    m_lock = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("expressions.json.lock")));
    // Never stale by age: only a lock whose process is gone may be taken over.
    m_lock->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() = default;

bool SingleInstanceLock::tryLock()
{
    return m_lock->isLocked() || m_lock->tryLock(200);
}

#pragma once

#include <QString>

#include <chrono>
#include <memory>

class QLockFile;

// Keeps a second instance from overwriting the first one's library with its own, older copy: held for the life of
// the process, and taken over when its owner died.
class SingleInstanceLock final
{
public:
    enum class State {
        locked,
        // By a living process on this machine: another instance is running.
        heldByAnotherInstance,
        // The lock file cannot be made, e.g. in a read-only folder or on a full disk; errorString() says why.
        failed,
    };

    explicit SingleInstanceLock(const QString &folder);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock &) = delete;
    SingleInstanceLock &operator=(const SingleInstanceLock &) = delete;

    // Waits up to the timeout while another process holds the lock. Once locked, stays locked.
    State tryLock(std::chrono::milliseconds timeout = std::chrono::milliseconds(200));
    QString filePath() const;
    // Why the latest tryLock() did not lock, in the system's words.
    QString errorString() const { return m_errorString; }

private:
    bool removeUnreadableLockFile();

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QString m_errorString;
};

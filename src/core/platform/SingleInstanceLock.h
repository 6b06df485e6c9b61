#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Keeps a second instance from overwriting the first one's library with its own, older copy: held for the life of
// the process, and taken over when its owner died.
class SingleInstanceLock final
{
public:
    explicit SingleInstanceLock(const QString &folder);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock &) = delete;
    SingleInstanceLock &operator=(const SingleInstanceLock &) = delete;

    // False while another living process holds the lock.
    bool tryLock();

private:
    std::unique_ptr<QLockFile> m_lock;
};

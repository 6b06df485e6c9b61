#pragma once

#include "core/library/Expression.h"
#include "core/library/JsonStoreError.h"
#include "core/library/LibraryRecovery.h"
#include "core/library/LibrarySaveFailure.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QMutex>
#include <QString>
#include <QThreadPool>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QSaveFile;
class SingleInstanceLock;

// The library file: a pretty-printed JSON array of expressions, read whole at construction and replaced whole and
// atomically by every write. The in-memory list is the truth; the file is never read again. Writes run one at a time
// and in the order asked for.
//
// A file that exists but cannot be read in full is kept byte for byte beside itself before this store writes to
// its path, so that whatever the user had survives in the kept copy.
//
// With a lock, nothing in the library's folder is changed unless the lock is held; while it cannot be taken, every
// write fails and says why.
class JsonStore final
{
    Q_DISABLE_COPY_MOVE(JsonStore)
    Q_DECLARE_TR_FUNCTIONS(JsonStore)

public:
    explicit JsonStore(const QString &path, SingleInstanceLock *lock = nullptr);
    ~JsonStore();

    QString path() const { return m_path; }

    // Changed directly by the owner, which calls write() when it wants the change on disk.
    ExpressionList &items() { return m_items; }
    const ExpressionList &items() const { return m_items; }

    // Returns the failure, or nothing on success.
    std::optional<LibrarySaveFailure> write();
    using WriteCompletion = std::function<void(const std::optional<LibrarySaveFailure> &failure)>;
    // Writes the list as it is now on the store's own thread, so that the caller does not wait for the disk. Of the
    // writes still waiting only the newest is made, and only its completion runs, on that thread.
    void writeInBackground(WriteCompletion completion);
    // Returns once every write asked for has finished.
    void waitForWrites();
    // Moves one expression (the destination counts positions after the removal) and writes.
    std::optional<LibrarySaveFailure> moveItem(qsizetype from, qsizetype to);
    // Writes the list as it is now to another file in the same form, at once; the library file is left alone.
    std::optional<LibrarySaveFailure> writeCopy(const QString &path);
    // The same for some of the expressions, in the order given.
    std::optional<LibrarySaveFailure> writeCopy(const QString &path, const ExpressionList &expressions);
    bool createParentDirectory() const;
    // Why the library cannot be written now: the lock could not be taken. Nothing when it can.
    std::optional<LibrarySaveFailure> lockFailure();
    // Removes the temporary files a write that never finished left beside the library, once the lock is held.
    void removeLeftoverTemporaryFiles();

    // Opens the file that a write goes to. Tests give one whose writes fail on demand; set before the first write.
    using SaveFileFactory = std::function<std::unique_ptr<QSaveFile>(const QString &path)>;
    void setSaveFileFactory(SaveFileFactory factory) { m_saveFileFactory = std::move(factory); }

    // Reads a file of this form, appending every entry that can be read. Returns what is wrong with the file, as a
    // clause that completes "The library file could not be read: ", or nothing when every entry was read.
    static QString readExpressions(const QString &path, ExpressionList &expressions);

    // Set when the file existed but could not be read in full.
    const std::optional<LibraryRecovery> &recovery() const { return m_recovery; }

private:
    using Snapshot = QList<Expression::JsonMembers>;
    struct PendingWrite
    {
        Snapshot snapshot;
        WriteCompletion completion;
    };

    void load();
    static Snapshot snapshot(const ExpressionList &expressions);
    std::optional<LibrarySaveFailure> prepareWrite();
    std::optional<LibrarySaveFailure> keepUnreadableFileBeforeWriting();
    std::optional<LibrarySaveFailure> writeSnapshot(const Snapshot &snapshot);
    std::optional<QString> writeBuffer(const QString &path);
    void writePendingSnapshots();
    bool keepUnreadableFile();
    void reportSaveFailure(const QString &reason);

    QString m_path;
    SingleInstanceLock *m_lock;
    ExpressionList m_items;
    std::optional<LibraryRecovery> m_recovery;
    std::atomic<bool> m_saveFailing = false;
    SaveFileFactory m_saveFileFactory;

    // Used by one write at a time, so that its pages are reused instead of being fetched fresh for every keystroke.
    QByteArray m_buffer;
    QThreadPool m_writer;
    QMutex m_pendingMutex;
    std::optional<PendingWrite> m_pending;
    bool m_writerRunning = false;
};

#pragma once

#include "core/library/DefaultsExpressionImporter.h"
#include "core/library/Expression.h"
#include "core/library/JsonSerializableDelegate.h"
#include "core/library/LibraryRecovery.h"
#include "core/library/LibrarySaveFailure.h"

#include <QMutex>
#include <QObject>

#include <memory>
#include <optional>

class JsonStore;
class SingleInstanceLock;

// Owns the library: loads it, migrates the expression of old versions, adds an empty one to an empty library, and
// writes the file after every change, also of a single expression, whose delegate it is. A failed save is reported
// on this object's thread and tried again by the next change.
//
// With the application's lock, the library is written only while the lock is held. When it cannot be taken at the
// start (a read-only or full data folder) the library is still read and shown, and saveFailure() says from the start
// why changes cannot be saved; every save tries the lock again.
class LibraryStoreController final : public QObject, public JsonSerializableDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LibraryStoreController)
    Q_PROPERTY(ExpressionList expressions READ expressions WRITE setExpressions NOTIFY expressionsChanged)

public:
    // The library file of the user's application data folder.
    explicit LibraryStoreController(QObject *parent = nullptr);
    explicit LibraryStoreController(const QString &libraryFilePath, SingleInstanceLock *lock = nullptr,
                                    QObject *parent = nullptr);
    ~LibraryStoreController() override;

    ExpressionList expressions() const;
    void setExpressions(const ExpressionList &expressions);
    // The destination counts positions after the removal.
    void moveFrom(qsizetype from, qsizetype to);

    QString libraryFilePath() const;
    // Set when the file could not be read in full and its contents were kept aside.
    std::optional<LibraryRecovery> recovery() const;

    // Edits of an expression are written in the background; this returns once they are on disk.
    void waitForSaves() const;
    // Waits for the saves as above and takes in their outcome now rather than from the event loop.
    void finishSaves();

    // Why the newest save failed, or why none can be made; none while the library is saved.
    std::optional<LibrarySaveFailure> saveFailure() const { return m_saveFailure; }
    // Whether the expressions were changed since the start; with a save failure, changes that would be lost.
    bool isEdited() const { return m_edited; }
    // Saves at once and returns whether the library is on disk now.
    bool saveNow();
    // Writes the library as it is now to another file, in the same JSON form; the library's own file and
    // saveFailure() are left alone.
    std::optional<LibrarySaveFailure> saveCopy(const QString &path);
    // The same for some of the expressions, in the order given.
    std::optional<LibrarySaveFailure> saveCopy(const QString &path, const ExpressionList &expressions);

    void jsonSerializableDidChange(JsonSerializable *record) override;

Q_SIGNALS:
    // Around every replacement or reordering of the list, so that a list model can follow.
    void expressionsAboutToChange();
    void expressionsChanged();
    // saveFailure() changed: a save failed after one that succeeded, failed for another reason, or succeeded again.
    void saveFailureChanged();

private:
    void addFirstExpressionIfEmpty();
    void adoptRecords();
    void save();
    void saveInBackground();
    // Called on whatever thread the save ran; the newest outcome wins.
    void recordSaveOutcome(const std::optional<LibrarySaveFailure> &failure);
    void applySaveOutcome();

    std::shared_ptr<JsonStore> m_store;
    // An import whose save failed: its old settings go with the next successful save.
    std::optional<DefaultsExpressionImporter> m_pendingImport;
    std::optional<LibrarySaveFailure> m_saveFailure;
    bool m_edited = false;
    // The outcome of the newest save not yet taken in on this object's thread. Saves run one after another, so the
    // last one recorded is the newest.
    QMutex m_outcomeMutex;
    std::optional<LibrarySaveFailure> m_recordedFailure;
    bool m_outcomeRecorded = false;
};

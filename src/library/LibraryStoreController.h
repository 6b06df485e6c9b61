#pragma once

#include "library/DefaultsExpressionImporter.h"
#include "library/Expression.h"
#include "library/JsonSerializableDelegate.h"
#include "library/JsonStoreError.h"
#include "library/LibraryRecovery.h"

#include <QObject>

#include <memory>
#include <optional>

class JsonStore;

// Owns the library: loads it, migrates the expression of old versions, adds an empty one to an empty library, and
// writes the file after every change, also of a single expression, whose delegate it is. A failed save is left to
// the next change.
class LibraryStoreController final : public QObject, public JsonSerializableDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LibraryStoreController)
    Q_PROPERTY(ExpressionList expressions READ expressions WRITE setExpressions NOTIFY expressionsChanged)

public:
    // The library file of the user's application data folder.
    explicit LibraryStoreController(QObject *parent = nullptr);
    explicit LibraryStoreController(const QString &libraryFilePath, QObject *parent = nullptr);
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

    void jsonSerializableDidChange(JsonSerializable *record) override;

Q_SIGNALS:
    // Around every replacement or reordering of the list, so that a list model can follow.
    void expressionsAboutToChange();
    void expressionsChanged();

private:
    void addFirstExpressionIfEmpty();
    void adoptRecords();
    void save();
    void saveInBackground();
    void finishSave(const std::optional<JsonStoreError> &error);

    std::shared_ptr<JsonStore> m_store;
    // An import whose save failed: its old settings go with the next successful save.
    std::optional<DefaultsExpressionImporter> m_pendingImport;
};

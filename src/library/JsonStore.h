#pragma once

#include "library/Expression.h"
#include "library/JsonStoreError.h"
#include "library/LibraryRecovery.h"

#include <QString>

#include <optional>

// The library file: a pretty-printed JSON array of expressions, read whole at construction and replaced whole and
// atomically by every write. The in-memory list is the truth; the file is never read again.
//
// A file that exists but cannot be read in full is kept byte for byte beside itself before this store writes to
// its path, so that whatever the user had survives in the kept copy.
class JsonStore final
{
    Q_DISABLE_COPY_MOVE(JsonStore)

public:
    explicit JsonStore(const QString &path);
    ~JsonStore();

    QString path() const { return m_path; }

    // Changed directly by the owner, which calls write() when it wants the change on disk.
    ExpressionList &items() { return m_items; }
    const ExpressionList &items() const { return m_items; }

    // Returns the error, or nothing on success.
    std::optional<JsonStoreError> write();
    // Moves one expression (the destination counts positions after the removal) and writes.
    std::optional<JsonStoreError> moveItem(qsizetype from, qsizetype to);
    bool createParentDirectory() const;

    // Set when the file existed but could not be read in full.
    const std::optional<LibraryRecovery> &recovery() const { return m_recovery; }

private:
    void load();
    QString readItems();
    bool keepUnreadableFile();
    void reportSaveFailure(const QString &reason);

    QString m_path;
    ExpressionList m_items;
    std::optional<LibraryRecovery> m_recovery;
    bool m_saveFailing = false;
};

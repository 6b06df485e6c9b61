#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>
#include <optional>

class JsonStore;

// Moves the single expression that versions before 1.2 kept in the settings "pattern" and "text" into the library,
// once. The old settings are removed only after a library file holding the expression has been written.
class DefaultsExpressionImporter final
{
    Q_DECLARE_TR_FUNCTIONS(DefaultsExpressionImporter)

public:
    // Nothing unless both old settings hold strings; values of any other type are left alone.
    static std::optional<DefaultsExpressionImporter> create(std::weak_ptr<JsonStore> store);

    // Appends the expression and saves. True when the file was written and the old settings are gone; otherwise
    // the settings stay, and clearOldDefaults() is for the owner to call after its next successful save.
    bool importExpression();
    void clearOldDefaults();

    QString pattern() const { return m_pattern; }
    QString text() const { return m_text; }

private:
    DefaultsExpressionImporter(const QString &pattern, const QString &text, std::weak_ptr<JsonStore> store);

    QString m_pattern;
    QString m_text;
    std::weak_ptr<JsonStore> m_store;
};

#pragma once

#include "core/settings/AppearanceControllerDelegate.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

#include <unicode/regex.h>

class AppearanceController;
class BoxView;
class Expression;
class NSTextViewWithPlaceholder;
class QLabel;
class QLineEdit;
class QVBoxLayout;
class SubstitutionController;
class ViewSizeController;

// The replacement template of the shown expression and a read-only preview of the sample text with every match
// replaced. The preview is computed on a worker, only while the panel is active, from the pattern and text of the
// latest evaluation; every change of either stops the run that is going. A bad template shows its own message.
class SubstitutionViewController final : public QWidget, public AppearanceControllerDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SubstitutionViewController)

public:
    using Pattern = std::shared_ptr<const icu::RegexPattern>;

    // The setting that shows the panel; hidden while it is unset.
    static QString shownKey();

    // Laying out a whole result anew on every edit would stall typing for a long text (some 40 ms per MB); the
    // preview shows the result's start, and copying takes all of it.
    static constexpr qsizetype defaultMaximumPreviewLength = qsizetype(1) << 19;

    // The panel's fonts and margins follow the editor's sizes.
    explicit SubstitutionViewController(ViewSizeController *sizes, QWidget *parent = nullptr);
    ~SubstitutionViewController() override;

    // The field shows and edits the expression's replacement.
    void setExpression(Expression *expression);

    // Nothing runs while inactive; becoming active runs on the latest input.
    bool isActive() const { return m_active; }
    void setActive(bool active);

    // The latest evaluation's input. A null pattern (an empty one) leaves the text as it is.
    void setInput(const Pattern &pattern, const QString &text);
    // The pattern, text or options changed: the preview is out of date until the next setInput().
    void invalidate();
    // The pattern does not compile: nothing to preview.
    void clearInput();

    // The text the preview shows, once it belongs to the latest input and template.
    std::optional<QString> result() const { return m_result; }
    // False, leaving the clipboard alone, while there is no such result.
    bool copyResult() const;

    qsizetype maximumPreviewLength() const { return m_maximumPreviewLength; }
    void setMaximumPreviewLength(qsizetype length) { m_maximumPreviewLength = length; }

    QLineEdit *replacementField() const { return m_replacementField; }
    NSTextViewWithPlaceholder *previewView() const { return m_previewView; }
    QLabel *statusLabel() const { return m_statusLabel; }
    // True while the status label shows the template's error.
    bool showsError() const { return m_showsError; }
    SubstitutionController *substitutionController() const { return m_substitutionController; }

    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;

Q_SIGNALS:
    // A new result or error is shown.
    void previewUpdated();

private:
    void replacementEdited(const QString &replacement);
    void start();
    void finished(const QString &result, qsizetype replacements);
    void failed(const QString &message);
    void setStatus(const QString &text, bool isError);
    void applyAppearance();
    void applySizes();

    ViewSizeController *m_sizes = nullptr;
    const std::unique_ptr<AppearanceController> m_appearanceController;
    SubstitutionController *m_substitutionController = nullptr;
    QPointer<Expression> m_expression;
    bool m_active = false;
    bool m_hasInput = false;
    Pattern m_pattern;
    QString m_text;
    std::optional<QString> m_result;
    bool m_showsError = false;
    qsizetype m_maximumPreviewLength = defaultMaximumPreviewLength;

    QVBoxLayout *m_layout = nullptr;
    BoxView *m_fieldBox = nullptr;
    BoxView *m_previewBox = nullptr;
    QLineEdit *m_replacementField = nullptr;
    NSTextViewWithPlaceholder *m_previewView = nullptr;
    QLabel *m_statusLabel = nullptr;
};

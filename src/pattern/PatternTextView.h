#pragma once

#include "app/NSTextViewWithPlaceholder.h"
#include "settings/AppearanceControllerDelegate.h"

#include <memory>

class AppearanceController;

// The pattern editor: colours its text by token role and marks the highlighted capture group, recomputed from
// scratch after every change. Colours are extra formats on the block layouts, never edits of the document, so the
// undo history, the caret and the selection are untouched.
class PatternTextView final : public NSTextViewWithPlaceholder, public AppearanceControllerDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PatternTextView)

public:
    explicit PatternTextView(QWidget *parent = nullptr);
    ~PatternTextView() override;

    AppearanceController *appearanceController();

    // 1 marks the first capturing group; 0 or less marks nothing.
    qint64 highlightedGroup() const { return m_highlightedGroup; }
    void setHighlightedGroup(qint64 group);

    // The free-spacing switch the pattern is compiled with: it decides what is a "#" comment.
    bool allowsCommentsAndWhitespace() const { return m_allowsCommentsAndWhitespace; }
    void setAllowsCommentsAndWhitespace(bool allows);

    void setText(const QString &text) override;
    void updateColors();

    // The pattern with every backslash doubled, for a string literal in source code.
    void copyEscaped() const;
    // Inserts the clipboard's text with doubled backslashes halved, as one undoable edit replacing the selection.
    void pasteUnescaped();

    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;

protected:
    void didChangeText() override;

private:
    std::unique_ptr<AppearanceController> m_appearanceController;
    qint64 m_highlightedGroup = 0;
    bool m_allowsCommentsAndWhitespace = false;
};

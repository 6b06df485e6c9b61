#pragma once

#include "core/settings/AppearanceControllerDelegate.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include "core/pattern/AttributedPattern.h"
#include "core/pattern/TextRange.h"

#include <functional>
#include <memory>
#include <optional>

class Appearance;
class AppearanceController;
class EvaluationScheduler;
class PatternColoring;

// The pattern editor: colours its text by token role and marks the highlighted capture group after every change.
// Colours are extra formats on the block layouts, never edits of the document, so the undo history, the caret and the
// selection are untouched. A long pattern is coloured on a worker, around the edit only once it has been coloured
// whole, and only the blocks in view take its colours: until the colouring of an edit is in, the view keeps the
// colours it has.
class PatternTextView final : public NSTextViewWithPlaceholder, public AppearanceControllerDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PatternTextView)

public:
    explicit PatternTextView(QWidget *parent = nullptr);
    ~PatternTextView() override;

    // 1 marks the first capturing group; 0 or less marks nothing.
    qint64 highlightedGroup() const { return m_highlightedGroup; }
    void setHighlightedGroup(qint64 group);
    // UTF-16 index of the character the engine stopped at in an invalid pattern, underlined in the error colour; at
    // or past the end it marks the last character. -1 marks nothing. Any edit of the text drops the mark.
    qsizetype errorPosition() const { return m_errorPosition; }
    void setErrorPosition(qsizetype position);

    // The free-spacing switch the pattern is compiled with: it decides what is a "#" comment.
    bool allowsCommentsAndWhitespace() const { return m_allowsCommentsAndWhitespace; }
    void setAllowsCommentsAndWhitespace(bool allows);
    // The literal switch: the whole pattern is plain text, without token colours or groups.
    bool patternIsLiteral() const { return m_patternIsLiteral; }
    void setPatternIsLiteral(bool literal);

    void setText(const QString &text) override;
    void updateColors();

    // The pattern with every backslash doubled, for a string literal in source code.
    void copyEscaped() const;
    // Inserts the clipboard's text with doubled backslashes halved, as one undoable edit replacing the selection.
    void pasteUnescaped();

    // What a tooltip says over the character at a UTF-16 position of the pattern; no tooltip where it says nothing.
    void setToolTipSource(std::function<QString(qsizetype)> source) { m_toolTipSource = std::move(source); }
    // The UTF-16 position of the character drawn at a point of the viewport; -1 where there is none.
    qsizetype characterAt(const QPoint &point) const;

    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;

protected:
    void didChangeText() override;
    bool viewportEvent(QEvent *event) override;

private:
    struct Colouring;

    std::optional<TextRange> errorCharacter() const;
    void colouringFinished();
    void colorBlocks();
    void colorBlocksOnce();

    const std::unique_ptr<AppearanceController> m_appearanceController;
    EvaluationScheduler *m_colouringScheduler;
    // The newest input to colour, and the one on a worker now.
    std::shared_ptr<Colouring> m_pendingColouring;
    std::shared_ptr<Colouring> m_runningColouring;
    // The newest colouring no worker holds, which the next one recolours around its edit.
    std::shared_ptr<PatternColoring> m_lastColoring;
    std::shared_ptr<const Appearance> m_palette;
    // The colours shown, worked out for this text.
    QString m_coloredText;
    QList<ColorSpan> m_spans;
    QColor m_errorColor;
    // Setting a block's formats makes the view report a change of its visible blocks from within the pass.
    bool m_coloringBlocks = false;
    bool m_visibleBlocksChangedWhileColoring = false;
    qint64 m_highlightedGroup = 0;
    qsizetype m_errorPosition = -1;
    // Inside an edit the mark is set again by the delegate; the recolouring that ends the edit applies it.
    bool m_changingText = false;
    bool m_allowsCommentsAndWhitespace = false;
    bool m_patternIsLiteral = false;
    std::function<QString(qsizetype)> m_toolTipSource;
};

#include "pattern/PatternTextView.h"

#include "pattern/PatternAttributedStringBuilder.h"
#include "pattern/PatternEscaping.h"
#include "settings/Appearance.h"
#include "settings/AppearanceController.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>

PatternTextView::PatternTextView(QWidget *parent)
    : NSTextViewWithPlaceholder(parent)
{
    setObjectName(QStringLiteral("patternTextView"));
}

PatternTextView::~PatternTextView() = default;

AppearanceController *PatternTextView::appearanceController()
{
    if (!m_appearanceController) {
        m_appearanceController = std::make_unique<AppearanceController>();
        m_appearanceController->setDelegate(this);
    }
    return m_appearanceController.get();
}

void PatternTextView::setHighlightedGroup(qint64 group)
{
    m_highlightedGroup = group;
    updateColors();
}

void PatternTextView::setText(const QString &text)
{
    NSTextViewWithPlaceholder::setText(text);
    updateColors();
}

void PatternTextView::didChangeText()
{
    NSTextViewWithPlaceholder::didChangeText();
    updateColors();
}

void PatternTextView::appearanceDidChange(AppearanceController *, const Appearance &)
{
    updateColors();
}

void PatternTextView::updateColors()
{
    setTextColor(appearanceController()->appearance()->plainTextColor().toQColor());
    const AttributedPattern colored = PatternAttributedStringBuilder::coloredPattern(text(), m_highlightedGroup);
    withoutChangeReports([&] {
        for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next())
            setBlockFormats(block, colored.formatRanges(block.position(), block.length()));
    });
}

void PatternTextView::copyEscaped() const
{
    QGuiApplication::clipboard()->setText(PatternEscaping::escapedForCopy(text()));
}

void PatternTextView::pasteUnescaped()
{
    const QString pasted = QGuiApplication::clipboard()->text();
    if (pasted.isEmpty())
        return;
    // Through the cursor, like typed text: one undo step, and the usual reports and recolouring follow.
    textCursor().insertText(PatternEscaping::unescapedForPaste(pasted));
}

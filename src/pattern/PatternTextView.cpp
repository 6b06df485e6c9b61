#include "pattern/PatternTextView.h"

#include "pattern/PatternAttributedStringBuilder.h"
#include "pattern/PatternEscaping.h"
#include "settings/Appearance.h"
#include "settings/AppearanceController.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace {

// The spans over [from, from + length), positioned from `from`. Blocks come in text order, so `first` moves on past
// the spans that end before this block and never goes back.
QList<QTextLayout::FormatRange> blockFormats(const QList<ColorSpan> &spans, QList<ColorSpan>::const_iterator &first,
                                             qsizetype from, qsizetype length)
{
    const qsizetype to = from + length;
    while (first != spans.cend() && first->range.end() <= from)
        ++first;
    QList<QTextLayout::FormatRange> ranges;
    for (auto span = first; span != spans.cend() && span->range.location < to; ++span) {
        const qsizetype start = std::max(span->range.location, from);
        const qsizetype end = std::min(span->range.end(), to);
        if (start >= end)
            continue;
        QTextLayout::FormatRange range;
        range.start = int(start - from);
        range.length = int(end - start);
        if (span->foreground)
            range.format.setForeground(*span->foreground);
        if (span->background)
            range.format.setBackground(*span->background);
        ranges.append(range);
    }
    return ranges;
}

} // namespace

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

void PatternTextView::setAllowsCommentsAndWhitespace(bool allows)
{
    if (allows == m_allowsCommentsAndWhitespace)
        return;
    m_allowsCommentsAndWhitespace = allows;
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
    const AttributedPattern colored
        = PatternAttributedStringBuilder::coloredPattern(text(), m_highlightedGroup, m_allowsCommentsAndWhitespace);
    // The spans once for the whole text, each block taking its slice: working them out per block costs a pass over
    // the whole text for every line, minutes for a pasted megabyte.
    const QList<ColorSpan> spans = colored.spans();
    withoutChangeReports([&] {
        auto first = spans.cbegin();
        for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next())
            setBlockFormats(block, blockFormats(spans, first, block.position(), block.length()));
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

#include "gui/editor/PatternTextView.h"

#include "core/evaluation/EvaluationScheduler.h"
#include "core/pattern/PatternAttributedStringBuilder.h"
#include "core/pattern/PatternColoring.h"
#include "core/pattern/PatternEscaping.h"
#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// Colouring a pattern reads all of it, which takes the interface thread too long per keystroke from some ten thousand
// characters on; shorter ones are coloured at once, so that typed text never shows a stale colour.
constexpr qsizetype longestColoredAtOnce = 16384;

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

// One colouring's input, and its colours once a worker has worked them out.
struct PatternTextView::Colouring
{
    QString text;
    qint64 highlightedGroup = 0;
    bool allowsCommentsAndWhitespace = false;
    std::shared_ptr<const Appearance> palette;
    // In: an earlier colouring to recolour around the edit, if any; out: this one's.
    std::shared_ptr<PatternColoring> coloring;
};

PatternTextView::PatternTextView(QWidget *parent)
    : NSTextViewWithPlaceholder(parent)
    , m_appearanceController(std::make_unique<AppearanceController>(this))
{
    setObjectName(QStringLiteral("patternTextView"));
    setAccessibleName(tr("Regular expression"));
    setAccessibleDescription(tr("The pattern, coloured by the role of each token"));
    m_colouringScheduler = new EvaluationScheduler(
        [this]() -> EvaluationScheduler::Work {
            // Nothing runs while this is asked, so the run before has left its colouring, finished or not.
            if (m_runningColouring && m_runningColouring->coloring)
                m_lastColoring = std::move(m_runningColouring->coloring);
            m_runningColouring = m_pendingColouring;
            if (!m_runningColouring)
                return {};
            // The spans shown are of another text and no longer painted; letting go of them spares the worker a copy.
            if (m_coloredText != m_runningColouring->text) {
                m_spans = {};
                m_coloredText = QString();
            }
            m_runningColouring->coloring = std::exchange(m_lastColoring, nullptr);
            return [colouring = m_runningColouring](const std::atomic<bool> &) {
                std::shared_ptr<PatternColoring> &coloring = colouring->coloring;
                if (coloring && coloring->highlightedGroup() == colouring->highlightedGroup
                    && coloring->allowsCommentsAndWhitespace() == colouring->allowsCommentsAndWhitespace
                    && coloring->palette() == colouring->palette) {
                    coloring->edit(colouring->text);
                } else {
                    coloring
                        = std::make_shared<PatternColoring>(colouring->text, colouring->highlightedGroup,
                                                            colouring->allowsCommentsAndWhitespace, colouring->palette);
                }
                return true;
            };
        },
        this);
    connect(m_colouringScheduler, &EvaluationScheduler::finished, this, &PatternTextView::colouringFinished);
    connect(this, &NSTextViewWithPlaceholder::visibleBlocksChanged, this, &PatternTextView::colorBlocks);
}

PatternTextView::~PatternTextView() = default;

void PatternTextView::setHighlightedGroup(qint64 group)
{
    m_highlightedGroup = group;
    updateColors();
}

void PatternTextView::setErrorPosition(qsizetype position)
{
    if (position == m_errorPosition)
        return;
    m_errorPosition = position;
    if (!m_changingText)
        updateColors();
}

void PatternTextView::setAllowsCommentsAndWhitespace(bool allows)
{
    if (allows == m_allowsCommentsAndWhitespace)
        return;
    m_allowsCommentsAndWhitespace = allows;
    updateColors();
}

void PatternTextView::setPatternIsLiteral(bool literal)
{
    if (literal == m_patternIsLiteral)
        return;
    m_patternIsLiteral = literal;
    updateColors();
}

void PatternTextView::setText(const QString &text)
{
    m_errorPosition = -1;
    m_changingText = true;
    NSTextViewWithPlaceholder::setText(text);
    m_changingText = false;
    updateColors();
}

void PatternTextView::didChangeText()
{
    m_errorPosition = -1;
    m_changingText = true;
    NSTextViewWithPlaceholder::didChangeText();
    m_changingText = false;
    updateColors();
}

void PatternTextView::appearanceDidChange(AppearanceController *, const Appearance &)
{
    updateColors();
}

void PatternTextView::updateColors()
{
    // The same palette object while the palette is the same: a colouring is recoloured around an edit only in the
    // palette it was made in.
    std::shared_ptr<const Appearance> current = m_appearanceController->appearance();
    if (!m_palette || m_palette->appearanceName() != current->appearanceName())
        m_palette = std::move(current);
    const std::shared_ptr<const Appearance> palette = m_palette;
    setTextColor(palette->plainTextColor().toQColor());
    m_errorColor = palette->errorColor().toQColor();
    const QString pattern = text();
    auto colouring = std::make_shared<Colouring>(
        Colouring {pattern, m_highlightedGroup, m_allowsCommentsAndWhitespace, palette, {}});
    if (!m_patternIsLiteral && pattern.size() > longestColoredAtOnce) {
        m_pendingColouring = std::move(colouring);
        m_colouringScheduler->restart();
        return;
    }
    m_pendingColouring.reset();
    m_colouringScheduler->cancel();
    // The spans once for the whole text, each block taking its slice: working them out per block costs a pass over
    // the whole text for every line, minutes for a pasted megabyte.
    m_spans = m_patternIsLiteral ? QList<ColorSpan>()
                                 : PatternAttributedStringBuilder::coloredPattern(
                                       pattern, m_highlightedGroup, m_allowsCommentsAndWhitespace, *palette)
                                       .spans();
    m_coloredText = pattern;
    colorBlocks();
}

void PatternTextView::colouringFinished()
{
    if (!m_runningColouring)
        return;
    const std::shared_ptr<Colouring> colouring = std::exchange(m_runningColouring, nullptr);
    if (!colouring->coloring)
        return;
    m_lastColoring = std::move(colouring->coloring);
    m_spans = m_lastColoring->spans();
    m_coloredText = m_lastColoring->text();
    colorBlocks();
}

void PatternTextView::colorBlocks()
{
    if (m_coloringBlocks) {
        m_visibleBlocksChangedWhileColoring = true;
        return;
    }
    m_coloringBlocks = true;
    do {
        m_visibleBlocksChangedWhileColoring = false;
        colorBlocksOnce();
    } while (m_visibleBlocksChangedWhileColoring);
    m_coloringBlocks = false;
}

void PatternTextView::colorBlocksOnce()
{
    // Colours of the text before an edit would land on the wrong characters; the block keeps its own until the
    // colouring of the edit is in.
    if (m_coloredText.size() != document()->characterCount() - 1 || m_coloredText != text())
        return;
    const std::optional<TextRange> error = errorCharacter();
    // A short pattern is coloured whole; a long one in the blocks in view, which are few whatever its length.
    QList<QTextBlock> blocks;
    if (m_coloredText.size() <= longestColoredAtOnce) {
        for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next())
            blocks.append(block);
    } else {
        blocks = visibleBlocks();
    }
    if (blocks.isEmpty())
        return;
    const qsizetype from = blocks.constFirst().position();
    auto first = std::partition_point(m_spans.cbegin(), m_spans.cend(),
                                      [from](const ColorSpan &span) { return span.range.end() <= from; });
    withoutChangeReports([&] {
        for (const QTextBlock &block : std::as_const(blocks)) {
            QList<QTextLayout::FormatRange> formats = blockFormats(m_spans, first, block.position(), block.length());
            if (error && block.contains(int(error->location))) {
                QTextLayout::FormatRange mark;
                mark.start = int(error->location - block.position());
                mark.length = int(error->length);
                mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
                mark.format.setUnderlineColor(m_errorColor);
                // Laid over the token colours; the layout merges overlapping ranges.
                formats.append(mark);
            }
            setBlockFormats(block, formats);
        }
    });
}

std::optional<TextRange> PatternTextView::errorCharacter() const
{
    if (m_errorPosition < 0)
        return std::nullopt;
    const QString pattern = text();
    // At the end there is no character to mark: the last one that is no line break stands for the end.
    qsizetype index = std::min(m_errorPosition, pattern.size() - 1);
    while (index >= 0 && (pattern[index] == u'\n' || pattern[index].isLowSurrogate()))
        --index;
    if (index < 0)
        return std::nullopt;
    const bool pair = pattern[index].isHighSurrogate() && index + 1 < pattern.size();
    return TextRange {index, pair ? 2 : 1};
}

void PatternTextView::copyEscaped() const
{
    QGuiApplication::clipboard()->setText(PatternEscaping::escapedForCopy(text()));
}

void PatternTextView::pasteUnescaped()
{
    const QString pasted = QGuiApplication::clipboard()->text();
    // As a paste: nothing goes into a view the user cannot edit, nor into one whose text is still loading.
    if (pasted.isEmpty() || isReadOnly())
        return;
    // Like a paste: one undo step, the usual reports and recolouring follow, and line ends stay as they came.
    insertExactText(PatternEscaping::unescapedForPaste(pasted));
}

qsizetype PatternTextView::characterAt(const QPoint &point) const
{
    const QTextCursor nearest = cursorForPosition(point);
    qsizetype position = nearest.position();
    // The nearest caret may stand after the character under the point.
    if (point.x() < cursorRect(nearest).left() && position > 0)
        --position;
    if (position >= document()->characterCount() - 1)
        return -1;
    QTextCursor before(document());
    before.setPosition(int(position));
    QTextCursor after(document());
    after.setPosition(int(position) + 1);
    if (after.block() != before.block())
        return -1;
    const QRect start = cursorRect(before);
    const QRect end = cursorRect(after);
    // Past a line's end or below the last line there is no character.
    if (start.top() != end.top() || point.y() < start.top() || point.y() > start.bottom() || point.x() < start.left()
        || point.x() > end.left())
        return -1;
    return position;
}

bool PatternTextView::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip || !m_toolTipSource)
        return NSTextViewWithPlaceholder::viewportEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const qsizetype position = characterAt(help->pos());
    const QString text = position >= 0 ? m_toolTipSource(position) : QString();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, viewport());
    return true;
}

#include "gui/editor/OutputTextViewController.h"

#include "core/settings/LightAppearance.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <algorithm>

OutputTextViewController::OutputTextViewController(NSTextViewWithPlaceholder *textView, QObject *parent)
    : QObject(parent)
    , m_textView(textView)
{
    setAppearance(LightAppearance());
    if (m_textView) {
        connect(m_textView, &NSTextViewWithPlaceholder::visibleBlocksChanged, this,
                &OutputTextViewController::paintVisibleBlocks);
    }
}

OutputTextViewController::~OutputTextViewController() = default;

void OutputTextViewController::setActiveGroup(int group)
{
    if (group == m_activeGroup)
        return;
    m_activeGroup = group;
    updateHighlighting();
}

void OutputTextViewController::setMatches(const MatchResults &matches, const QString &text, bool stale)
{
    m_matches = matches;
    m_text = text;
    m_isStale = stale;
    updateHighlighting();
}

void OutputTextViewController::setAppearance(const Appearance &palette)
{
    m_matchColors[0] = palette.highlightColor(0).toQColor();
    m_matchColors[1] = palette.highlightColor(1).toQColor();
    paintVisibleBlocks();
}

bool OutputTextViewController::textIsCurrent()
{
    // Comparing a megabyte of text on every scroll would be wasteful: an unchanged document revision means an
    // unchanged text.
    const int revision = m_textView->document()->revision();
    if (revision != m_currentRevision) {
        m_currentRevision = revision;
        // A typed or deleted character changes the length: no need to read the whole text to know.
        m_painting = m_textView->document()->characterCount() - 1 == m_text.size() && m_textView->text() == m_text;
    }
    return m_painting;
}

void OutputTextViewController::updateHighlighting()
{
    // The index shares the replaced results: let them go before the new ones are indexed.
    m_groupRanges = GroupRangeIndex();
    if (!m_textView)
        return;
    m_currentRevision = -1;
    m_groupRanges = GroupRangeIndex(m_matches, m_activeGroup);
    paintVisibleBlocks();
}

void OutputTextViewController::paintVisibleBlocks()
{
    if (!m_textView)
        return;
    // Each block's new formats lay it out again and make the view report a change of its visible blocks. Answered
    // at once, every report would start another pass over all visible blocks inside this one; one more pass after
    // this one covers them all, and it ends, as blocks that already have their formats are left alone.
    if (m_paintingBlocks) {
        m_visibleBlocksChangedWhilePainting = true;
        return;
    }
    m_paintingBlocks = true;
    do {
        m_visibleBlocksChangedWhilePainting = false;
        paintVisibleBlocksOnce();
    } while (m_visibleBlocksChangedWhilePainting);
    m_paintingBlocks = false;
}

void OutputTextViewController::paintVisibleBlocksOnce()
{
    const bool textIsCurrent = this->textIsCurrent();
    if (!textIsCurrent) {
        // Positions between characters would point elsewhere in the edited text.
        m_textView->setMarkers({});
        // Matches of an earlier text sit on the wrong characters; for a frame they may, so that typing does not
        // flicker.
        if (!m_isStale)
            return;
    }
    QColor colors[] = {m_matchColors[0], m_matchColors[1]};
    QTextCharFormat formats[2];
    for (int parity = 0; parity < 2; ++parity) {
        // Matches of an earlier pattern stay in place, faint, until the current one's are in.
        if (m_isStale)
            colors[parity].setAlphaF(colors[parity].alphaF() * 0.35f);
        formats[parity].setBackground(colors[parity]);
    }

    const QList<QTextBlock> blocks = m_textView->visibleBlocks();
    if (blocks.isEmpty())
        return;
    const qsizetype textLength = m_text.size();
    const QList<GroupRangeIndex::Hit> hits = textIsCurrent
        ? m_groupRanges.rangesIn(blocks.constFirst().position(),
                                 blocks.constLast().position() + blocks.constLast().length())
        : QList<GroupRangeIndex::Hit>();
    // Ranges in their matches come in text order and are passed once; ranges out of order are looked at by every block.
    const bool inTextOrder = !m_groupRanges.isReordered();
    qsizetype firstHit = 0;
    QList<NSTextViewWithPlaceholder::Marker> markers;
    for (const QTextBlock &block : blocks) {
        const qsizetype blockStart = block.position();
        const qsizetype blockEnd = blockStart + block.length();
        while (inTextOrder && firstHit < hits.size() && hits.at(firstHit).range.end() < blockStart)
            ++firstHit;
        // Clipped to the block, in match order.
        QList<GroupRangeIndex::Hit> parts;
        bool overlapping = false;
        for (qsizetype index = firstHit; index < hits.size(); ++index) {
            const GroupRangeIndex::Hit &hit = hits.at(index);
            if (inTextOrder && hit.range.location >= blockEnd)
                break;
            if (!hit.range.fitsIn(textLength))
                continue;
            if (hit.range.length == 0) {
                if (hit.range.location >= blockStart && hit.range.location < blockEnd)
                    markers.append(NSTextViewWithPlaceholder::Marker {hit.range.location, colors[hit.match % 2]});
                continue;
            }
            const qsizetype start = qMax(hit.range.location, blockStart);
            const qsizetype end = qMin(hit.range.end(), blockEnd);
            if (start >= end)
                continue;
            overlapping = overlapping || (!parts.isEmpty() && start - blockStart < parts.constLast().range.end());
            parts.append(GroupRangeIndex::Hit {hit.match, {start - blockStart, end - start}});
        }
        QList<QTextLayout::FormatRange> blockFormats;
        if (!overlapping) {
            for (const GroupRangeIndex::Hit &part : parts)
                blockFormats.append({int(part.range.location), int(part.range.length), formats[part.match % 2]});
        } else {
            // Groups in lookarounds may overlap those of other matches: the later match shows, as if painted last.
            QByteArray painted(block.length(), 0);
            for (const GroupRangeIndex::Hit &part : parts)
                std::fill_n(painted.begin() + part.range.location, part.range.length, char(1 + part.match % 2));
            for (int start = 0; start < painted.size();) {
                int end = start + 1;
                while (end < painted.size() && painted.at(end) == painted.at(start))
                    ++end;
                if (painted.at(start) != 0)
                    blockFormats.append({start, end - start, formats[painted.at(start) - 1]});
                start = end;
            }
        }
        m_textView->withoutChangeReports([&] { m_textView->setBlockFormats(block, blockFormats); });
    }
    m_textView->setMarkers(markers);
}

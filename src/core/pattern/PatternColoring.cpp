#include "core/pattern/PatternColoring.h"

#include "core/pattern/PatternAttributedStringBuilder.h"
#include "core/settings/Appearance.h"

#include <algorithm>

namespace {

bool isLineTerminator(char16_t c)
{
    return (c >= 0x0a && c <= 0x0d) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// What may follow the start of an escape such as \p{Letter}, \x{2028} or \12, or of a quantifier such as {2,5},
// within the same match; any unit past ASCII counts, as \w takes letters of every script.
bool continuesToken(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'{'
        || c == u',' || c >= 0x80;
}

// Whether the families' searches start afresh after the unit at index: no match, nor any attempt at one that began
// earlier, looks at what follows. Their matches start only at a backslash, "[", "{", "(" or a single special
// character: an escape or a quantifier runs on through continuesToken(), "(?<!" and its kin are at most four units, and
// an unescaped "[" looks for its "]" up to the line's end. A point it calls fresh is one, the converse need not hold.
// Called unit after unit, from a fresh point on, with the same scan state.
struct FreshPointScan
{
    bool inToken = false;
    bool openClass = false;
};

bool freshAfter(FreshPointScan &scan, const QString &text, qsizetype index)
{
    const char16_t c = text.at(index).unicode();
    const bool escaped = index > 0 && text.at(index - 1) == u'\\';
    if (isLineTerminator(c))
        scan.openClass = false;
    else if (c == u'[' && !escaped)
        scan.openClass = true;
    else if (c == u']' && !escaped)
        scan.openClass = false;
    if (c == u'\\' || c == u'{')
        scan.inToken = true;
    else if (!continuesToken(c))
        scan.inToken = false;
    return !scan.inToken && !scan.openClass && c != u'(' && c != u'?' && c != u'<';
}

std::optional<TextRange> intersection(const std::optional<TextRange> &range, qsizetype from, qsizetype to)
{
    if (!range)
        return std::nullopt;
    const qsizetype start = std::max(range->location, from);
    const qsizetype end = std::min(range->end(), to);
    if (start >= end)
        return std::nullopt;
    return TextRange {start, end - start};
}

std::optional<TextRange> shifted(std::optional<TextRange> range, qsizetype by)
{
    if (range)
        range->location += by;
    return range;
}

// Room for edits to grow into: growing a list of a million spans past its capacity copies all of it.
template<typename List> void reserveRoom(List &list)
{
    list.reserve(list.size() + list.size() / 16 + 256);
}

// Replaces `count` items from `from` by `items`, then lets `move` adjust every item after them.
template<typename T, typename Move>
void splice(QList<T> &list, qsizetype from, qsizetype count, const QList<T> &items, Move move)
{
    const qsizetype growth = items.size() - count;
    if (growth > 0) {
        list.resize(list.size() + growth);
        std::move_backward(list.begin() + from + count, list.end() - growth, list.end());
    } else if (growth < 0) {
        std::move(list.begin() + from + count, list.end(), list.begin() + from + items.size());
        list.resize(list.size() + growth);
    }
    std::copy(items.cbegin(), items.cend(), list.begin() + from);
    for (auto item = list.begin() + from + items.size(); item != list.end(); ++item)
        move(*item);
}

} // namespace

PatternColoring::PatternColoring(const QString &pattern, qint64 highlightedGroup, bool allowCommentsAndWhitespace,
                                 std::shared_ptr<const Appearance> palette, qsizetype checkpointInterval)
    : m_text(pattern)
    , m_highlightedGroup(highlightedGroup)
    , m_allowCommentsAndWhitespace(allowCommentsAndWhitespace)
    , m_palette(std::move(palette))
    , m_checkpointInterval(checkpointInterval)
{
    colorWhole();
}

void PatternColoring::colorWhole()
{
    m_lastEditWasWindowed = false;
    const PatternSyntaxReader reading(m_text, m_allowCommentsAndWhitespace, false, m_checkpointInterval);
    m_checkpoints = reading.checkpoints();
    m_readingSpans = reading.spans();
    m_groups = reading.groups();
    m_balanced = reading.isBalanced();
    m_highlight = highlightedRange();
    m_spans = PatternAttributedStringBuilder::coloredWindow(m_text, {0, m_text.size()}, m_readingSpans, m_highlight,
                                                            *m_palette);
    m_freshPoints = QByteArray(m_text.size() + 1, 0);
    m_freshPoints[0] = 1;
    FreshPointScan scan;
    for (qsizetype i = 0; i < m_text.size(); ++i)
        m_freshPoints[i + 1] = freshAfter(scan, m_text, i);
    reserveRoom(m_spans);
    reserveRoom(m_freshPoints);
    reserveRoom(m_groups);
    reserveRoom(m_readingSpans);
}

// As the capture groups' parser numbers them: nothing when the parentheses do not balance.
std::optional<TextRange> PatternColoring::highlightedRange() const
{
    if (m_highlightedGroup < 1 || !m_balanced)
        return std::nullopt;
    qint64 number = 0;
    for (const PatternSyntaxReader::Group &group : m_groups) {
        if (group.capturing && ++number == m_highlightedGroup)
            return TextRange {group.open, *group.end - group.open};
    }
    return std::nullopt;
}

void PatternColoring::edit(const QString &pattern)
{
    const QStringView before(m_text);
    const QStringView after(pattern);
    const qsizetype shortest = std::min(before.size(), after.size());
    const qsizetype start
        = std::mismatch(before.begin(), before.begin() + shortest, after.begin()).first - before.begin();
    const qsizetype end
        = std::mismatch(before.rbegin(), before.rbegin() + (shortest - start), after.rbegin()).first - before.rbegin();
    edit(pattern, start, before.size() - start - end, after.size() - start - end);
}

void PatternColoring::edit(const QString &pattern, qsizetype position, qsizetype removed, qsizetype added)
{
    const qsizetype shift = added - removed;
    if (position < 0 || removed < 0 || added < 0 || position + removed > m_text.size()
        || pattern.size() != m_text.size() + shift) {
        m_text = pattern;
        colorWhole();
        return;
    }
    const qsizetype oldEnd = position + removed;
    const qsizetype newEnd = position + added;

    // The last checkpoint the edit cannot have changed; the first at the start always qualifies.
    const qsizetype startIndex
        = std::partition_point(m_checkpoints.cbegin(), m_checkpoints.cend(),
                               [&](const PatternSyntaxReader::Checkpoint &c) { return c.examined <= position; })
        - m_checkpoints.cbegin() - 1;
    const PatternSyntaxReader::Checkpoint start = m_checkpoints.at(startIndex);
    const qsizetype firstLater
        = std::partition_point(m_checkpoints.cbegin() + startIndex + 1, m_checkpoints.cend(),
                               [&](const PatternSyntaxReader::Checkpoint &c) { return c.position < oldEnd; })
        - m_checkpoints.cbegin();
    const PatternSyntaxReader reading(pattern, start, m_checkpoints, firstLater, shift, m_checkpointInterval);
    const std::optional<qsizetype> stop = reading.stoppedAt();
    const PatternSyntaxReader::Checkpoint *resumed = stop ? &m_checkpoints.at(*stop) : nullptr;
    const qsizetype readEnd = resumed ? resumed->position + shift : pattern.size();
    const qsizetype groupBase = start.groupCount;
    const qsizetype oldGroupEnd = resumed ? resumed->groupCount : m_groups.size();
    const qsizetype renumbered = groupBase + reading.groups().size() - oldGroupEnd;
    const qsizetype oldSpanEnd = resumed ? resumed->spanCount : m_readingSpans.size();
    const qsizetype spanGrowth = reading.spans().size() - (oldSpanEnd - start.spanCount);

    // The families' window: from the last fresh point at or before the reading's start, to the first point past the
    // reading and the edit that is fresh both before and after it.
    qsizetype windowStart = start.position;
    while (!m_freshPoints.at(windowStart))
        --windowStart;
    QByteArray freshPoints;
    FreshPointScan scan;
    qsizetype windowEnd = windowStart;
    const qsizetype reach = std::max(readEnd, newEnd);
    while (windowEnd < pattern.size()) {
        const bool fresh = freshAfter(scan, pattern, windowEnd);
        ++windowEnd;
        freshPoints.append(char(fresh));
        if (windowEnd >= reach && fresh && m_freshPoints.at(windowEnd - shift))
            break;
    }
    const qsizetype oldWindowEnd = windowEnd - shift;

    // The reading's spans, groups and checkpoints: the earlier ones before the start and after the stop, moved along.
    QList<PatternSyntaxReader::Group> groups = reading.groups();
    // Groups still open where the reading stopped close where they closed before, moved along.
    QList<std::pair<qsizetype, std::optional<qsizetype>>> openAtStop;
    if (resumed) {
        for (const auto &[earlier, freeSpacing] : resumed->openGroups) {
            std::optional<qsizetype> end = m_groups.at(earlier).end;
            if (end)
                *end += shift;
            openAtStop.append({earlier < groupBase ? earlier : earlier + renumbered, end});
        }
    }
    for (const auto &[group, freeSpacing] : start.openGroups)
        m_groups[group].end = std::nullopt;
    for (const auto &[group, end] : reading.closedEarlierGroups())
        m_groups[group].end = end;
    for (const auto &[group, end] : std::as_const(openAtStop)) {
        if (group < groupBase)
            m_groups[group].end = end;
        else
            groups[group - groupBase].end = end;
    }
    splice(m_groups, groupBase, oldGroupEnd - groupBase, groups, [shift](PatternSyntaxReader::Group &group) {
        group.open += shift;
        group.openerEnd += shift;
        if (group.end)
            *group.end += shift;
    });
    splice(m_readingSpans, start.spanCount, oldSpanEnd - start.spanCount, reading.spans(),
           [shift](PatternSyntaxReader::Span &span) { span.range.location += shift; });
    const qsizetype checkpointEnd = stop ? *stop : m_checkpoints.size();
    splice(m_checkpoints, startIndex + 1, checkpointEnd - startIndex - 1, reading.checkpoints(),
           [&](PatternSyntaxReader::Checkpoint &checkpoint) {
               checkpoint.position += shift;
               checkpoint.examined += shift;
               checkpoint.groupCount += renumbered;
               checkpoint.spanCount += spanGrowth;
               for (auto &[group, freeSpacing] : checkpoint.openGroups) {
                   if (group >= groupBase)
                       group += renumbered;
               }
           });
    m_balanced = resumed ? m_balanced : reading.isBalanced();

    // The highlighted group's background outside the window must stay as it was; a renumbering can move it anywhere.
    const std::optional<TextRange> earlierHighlight = m_highlight;
    const qsizetype earlierLength = m_text.size();
    m_text = pattern;
    m_highlight = highlightedRange();
    if (intersection(earlierHighlight, 0, windowStart) != intersection(m_highlight, 0, windowStart)
        || shifted(intersection(earlierHighlight, oldWindowEnd, earlierLength), shift)
            != intersection(m_highlight, windowEnd, pattern.size())) {
        colorWhole();
        return;
    }

    QList<PatternSyntaxReader::Span> meeting;
    for (const PatternSyntaxReader::Span &span : std::as_const(m_readingSpans)) {
        if (span.range.end() > windowStart && span.range.location < windowEnd)
            meeting.append(span);
    }
    QList<ColorSpan> window = PatternAttributedStringBuilder::coloredWindow(
        pattern, {windowStart, windowEnd - windowStart}, meeting, m_highlight, *m_palette);

    // The colours around the window, clipped to it, and the spans beside it join the window's so that equal
    // neighbours merge as in a whole pass.
    const auto firstAfter = [this](qsizetype point) {
        return std::partition_point(m_spans.cbegin(), m_spans.cend(),
                                    [point](const ColorSpan &span) { return span.range.end() <= point; })
            - m_spans.cbegin();
    };
    qsizetype replaceFrom = firstAfter(windowStart);
    const qsizetype firstKept = firstAfter(oldWindowEnd);
    qsizetype replaceTo = firstKept;
    QList<ColorSpan> middle;
    middle.reserve(window.size() + 3);
    if (replaceFrom > 0)
        --replaceFrom;
    for (qsizetype i = replaceFrom; i < m_spans.size() && m_spans.at(i).range.location < windowStart; ++i) {
        ColorSpan before = m_spans.at(i);
        before.range.length = std::min(before.range.end(), windowStart) - before.range.location;
        middle.append(before);
        replaceTo = std::max(replaceTo, i + 1);
    }
    const auto append = [&middle](const ColorSpan &span) {
        if (!middle.isEmpty() && middle.last().range.end() == span.range.location
            && middle.last().foreground == span.foreground && middle.last().background == span.background)
            middle.last().range.length += span.range.length;
        else
            middle.append(span);
    };
    for (const ColorSpan &span : std::as_const(window))
        append(span);
    if (firstKept < m_spans.size()) {
        ColorSpan after = m_spans.at(firstKept);
        const qsizetype from = std::max(after.range.location, oldWindowEnd);
        after.range = {from + shift, after.range.end() - from};
        append(after);
        replaceTo = firstKept + 1;
    }
    splice(m_spans, replaceFrom, replaceTo - replaceFrom, middle,
           [shift](ColorSpan &span) { span.range.location += shift; });

    m_freshPoints.replace(windowStart + 1, oldWindowEnd - windowStart, freshPoints);
    m_lastEditWasWindowed = true;
}

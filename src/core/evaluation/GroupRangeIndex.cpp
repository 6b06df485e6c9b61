#include "core/evaluation/GroupRangeIndex.h"

#include <algorithm>
#include <ranges>

namespace {

// Long enough that the runs' ends cost little next to the order, short enough that a run that must be read is soon
// read.
constexpr qsizetype runLength = 64;

} // namespace

GroupRangeIndex::GroupRangeIndex(const MatchResults &matches, int group)
    : m_matches(matches)
    , m_group(group >= 0 && group < matches.numberOfRanges() ? group : -1)
{
    if (m_group < 1 || !m_matches.hasGroupsOutsideMatches())
        return;
    const qsizetype count = m_matches.count();
    const auto liesOutside = [&](qsizetype match) {
        const TextRange range = m_matches.range(match, m_group);
        const TextRange whole = m_matches.range(match, 0);
        return range.isFound() && (range.location < whole.location || range.end() > whole.end());
    };
    if (std::ranges::none_of(std::views::iota(qsizetype(0), count), liesOutside))
        return;

    m_isReordered = true;
    m_byStart.reserve(count);
    // Lookbehind and lookahead groups mostly keep the order of their matches already.
    bool sorted = true;
    qsizetype lastStart = 0;
    for (qsizetype match = 0; match < count; ++match) {
        const TextRange range = m_matches.range(match, m_group);
        if (!range.isFound())
            continue;
        sorted = sorted && range.location >= lastStart;
        lastStart = range.location;
        m_byStart.append(qint32(match));
    }
    if (!sorted)
        std::ranges::stable_sort(m_byStart, {},
                                 [this](qint32 match) { return m_matches.range(match, m_group).location; });
    m_runEnds.reserve((m_byStart.size() + runLength - 1) / runLength);
    for (qsizetype first = 0; first < m_byStart.size(); first += runLength) {
        qint32 end = 0;
        for (qsizetype index = first; index < qMin(first + runLength, m_byStart.size()); ++index)
            end = qMax(end, qint32(m_matches.range(m_byStart.at(index), m_group).end()));
        m_runEnds.append(end);
    }
}

QList<GroupRangeIndex::Hit> GroupRangeIndex::rangesIn(qsizetype from, qsizetype to) const
{
    QList<Hit> hits;
    if (m_group < 0 || m_matches.isEmpty() || from > to)
        return hits;
    if (!m_isReordered) {
        // Matches do not overlap and come in text order, so their ends are sorted too, and each range lies in its
        // match.
        const auto matches = std::views::iota(qsizetype(0), m_matches.count());
        const auto first = std::ranges::partition_point(
            matches, [&](qsizetype match) { return m_matches.range(match, 0).end() < from; });
        for (const qsizetype match : std::ranges::subrange(first, matches.end())) {
            if (m_matches.range(match, 0).location >= to)
                break;
            const TextRange range = m_matches.range(match, m_group);
            if (range.isFound() && touches(range, from, to))
                hits.append({match, range});
        }
        return hits;
    }
    const qsizetype startingBefore
        = std::ranges::partition_point(m_byStart,
                                       [&](qint32 match) { return m_matches.range(match, m_group).location < to; })
        - m_byStart.begin();
    for (qsizetype run = 0; run * runLength < startingBefore; ++run) {
        if (m_runEnds.at(run) < from)
            continue;
        for (qsizetype index = run * runLength; index < qMin((run + 1) * runLength, startingBefore); ++index) {
            const qint32 match = m_byStart.at(index);
            const TextRange range = m_matches.range(match, m_group);
            if (touches(range, from, to))
                hits.append({match, range});
        }
    }
    // Overlapping ranges are painted in match order, so that the later match shows on top.
    std::ranges::sort(hits, {}, &Hit::match);
    return hits;
}

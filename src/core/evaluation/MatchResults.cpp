#include "core/evaluation/MatchResults.h"

MatchResults::MatchResults(int numberOfRanges)
    : m_numberOfRanges(numberOfRanges)
{
    Q_ASSERT(numberOfRanges >= 1);
}

TextRange MatchResults::range(qsizetype match, int group) const
{
    Q_ASSERT(match >= 0 && match < count());
    Q_ASSERT(group >= 0 && group < m_numberOfRanges);
    const StoredRange stored = m_ranges.at(match * m_numberOfRanges + group);
    if (stored.location < 0)
        return {};
    return {stored.location, stored.length};
}

void MatchResults::appendMatch(std::span<const TextRange> ranges)
{
    Q_ASSERT(qsizetype(ranges.size()) == m_numberOfRanges);
    const qsizetype first = m_ranges.size();
    for (const TextRange &range : ranges) {
        if (!range.isFound()) {
            m_ranges.append({-1, 0});
            continue;
        }
        Q_ASSERT(range.location >= 0 && range.end() <= std::numeric_limits<qint32>::max());
        m_ranges.append({qint32(range.location), qint32(range.length)});
    }
    noteGroupsOutsideMatch(first);
}

void MatchResults::appendMatch(const icu::RegexMatcher &matcher, UErrorCode &status)
{
    Q_ASSERT(matcher.groupCount() + 1 == m_numberOfRanges);
    const qsizetype first = m_ranges.size();
    for (int group = 0; group < m_numberOfRanges; ++group) {
        const int32_t start = matcher.start(group, status);
        const int32_t end = matcher.end(group, status);
        if (U_FAILURE(status))
            return;
        m_ranges.append(start < 0 ? StoredRange {-1, 0} : StoredRange {start, end - start});
    }
    noteGroupsOutsideMatch(first);
}

void MatchResults::noteGroupsOutsideMatch(qsizetype first)
{
    // Found while matching, so that painting need not search a million matches for such a group.
    const StoredRange whole = m_ranges.at(first);
    for (qsizetype index = first + 1; index < m_ranges.size() && !m_hasGroupsOutsideMatches; ++index) {
        const StoredRange group = m_ranges.at(index);
        m_hasGroupsOutsideMatches = group.location >= 0
            && (group.location < whole.location || group.location + group.length > whole.location + whole.length);
    }
}

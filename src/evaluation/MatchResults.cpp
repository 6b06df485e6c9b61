#include "evaluation/MatchResults.h"

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
    return { stored.location, stored.length };
}

void MatchResults::appendMatch(std::span<const TextRange> ranges)
{
    Q_ASSERT(qsizetype(ranges.size()) == m_numberOfRanges);
    for (const TextRange &range : ranges) {
        if (!range.isFound()) {
            m_ranges.append({ -1, 0 });
            continue;
        }
        Q_ASSERT(range.location >= 0 && range.end() <= std::numeric_limits<qint32>::max());
        m_ranges.append({ qint32(range.location), qint32(range.length) });
    }
}

void MatchResults::appendMatch(const icu::RegexMatcher &matcher, UErrorCode &status)
{
    Q_ASSERT(matcher.groupCount() + 1 == m_numberOfRanges);
    for (int group = 0; group < m_numberOfRanges; ++group) {
        const int32_t start = matcher.start(group, status);
        const int32_t end = matcher.end(group, status);
        if (U_FAILURE(status))
            return;
        m_ranges.append(start < 0 ? StoredRange { -1, 0 } : StoredRange { start, end - start });
    }
}

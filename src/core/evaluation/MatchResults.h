#pragma once

#include "core/pattern/TextRange.h"

#include <QList>

#include <span>

#include <unicode/regex.h>

// The matches of one evaluation, in order of discovery. Every match has the same number of ranges (range 0 the
// whole match, range k capture group k), so the ranges are kept flat with that stride, as 32-bit pairs: the engine
// counts in 32 bits anyway, and a text with millions of matches must stay affordable. Copies share the data.
class MatchResults final
{
public:
    // One range per match; a run over an empty text delivers this, as it never asks the engine for the groups.
    MatchResults() = default;
    explicit MatchResults(int numberOfRanges);

    qsizetype count() const { return m_ranges.size() / m_numberOfRanges; }
    bool isEmpty() const { return m_ranges.isEmpty(); }
    int numberOfRanges() const { return m_numberOfRanges; }
    // Location TextRange::notFound for a group that took no part in the match.
    TextRange range(qsizetype match, int group) const;
    // Whether a group reaches outside its match somewhere, as one captured in a lookaround may.
    bool hasGroupsOutsideMatches() const { return m_hasGroupsOutsideMatches; }

    // Takes numberOfRanges() ranges; each must fit in 32 bits.
    void appendMatch(std::span<const TextRange> ranges);
    // Takes the current match of the matcher, whose pattern must have numberOfRanges() - 1 groups.
    void appendMatch(const icu::RegexMatcher &matcher, UErrorCode &status);

    friend bool operator==(const MatchResults &, const MatchResults &) = default;

private:
    struct StoredRange
    {
        qint32 location; // -1 for a group that took no part
        qint32 length;
        friend bool operator==(const StoredRange &, const StoredRange &) = default;
    };

    void noteGroupsOutsideMatch(qsizetype first);

    QList<StoredRange> m_ranges;
    int m_numberOfRanges = 1;
    bool m_hasGroupsOutsideMatches = false;
};

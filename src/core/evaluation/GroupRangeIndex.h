#pragma once

#include "core/evaluation/MatchResults.h"
#include "core/pattern/TextRange.h"

#include <QList>

// Finds the ranges of one capture group that lie in a stretch of the text, for painting what is visible. A group
// captured inside a lookaround may lie outside its match, even lines away, and such ranges may overlap one another;
// only then are the matches ordered by where their group starts, at 4 bytes a match. Otherwise the matches' own
// order serves, as their ranges never overlap, and the index costs nothing.
class GroupRangeIndex final
{
public:
    GroupRangeIndex() = default;
    GroupRangeIndex(const MatchResults &matches, int group);

    struct Hit
    {
        qsizetype match = 0;
        TextRange range;

        friend bool operator==(const Hit &, const Hit &) = default;
    };

    // Every found range of the group that overlaps [from, to), and every empty one at a position in [from, to), in
    // match order. A group beyond the matches' groups has none.
    QList<Hit> rangesIn(qsizetype from, qsizetype to) const;

    // Whether some range lies outside its match, so that the matches are ordered by their group.
    bool isReordered() const { return m_isReordered; }

private:
    static bool touches(const TextRange &range, qsizetype from, qsizetype to)
    {
        return range.location < to && (range.length == 0 ? range.location >= from : range.end() > from);
    }

    MatchResults m_matches;
    int m_group = -1;
    bool m_isReordered = false;
    // Matches with a found range, ordered by its start; and the furthest end in each run of them, so that runs
    // ending before a stretch are passed over without reading their ranges.
    QList<qint32> m_byStart;
    QList<qint32> m_runEnds;
};

#pragma once

#include "core/pattern/RegexSearch.h"
#include "core/pattern/SearchSegments.h"
#include "core/pattern/TextRange.h"

#include <concepts>

// A token family: its search expression and the listing of its matches in a text, ranges in UTF-16 units.
template<typename Family>
concept Pattern = requires(const QString &text)
{
    {
        Family::regex()
        } -> std::convertible_to<QString>;
    {
        Family::ranges(text)
        } -> std::same_as<QList<TextRange>>;
};

// The listing shared by every family. Each family's expression is compiled once, on first use (thread-safe), and
// each call makes its own matcher: ICU patterns may be shared between threads, matchers not.
template<typename Family> class PatternFamily
{
public:
    // Every match of the family's expression in the text, in order.
    static QList<TextRange> ranges(const QString &in)
    {
        QList<TextRange> found;
        forEachRange(in, [&](const TextRange &range) { found.append(range); });
        return found;
    }

    template<typename Visitor> static void forEachRange(const QString &in, Visitor &&visit)
    {
        visitMatches(in, [&](const icu::RegexMatcher &matcher) { visit(matchedRange(matcher)); });
    }

    // forEachRange() over the given stretches only (in text order, not overlapping), each split as a whole text
    // would be; a match never reaches outside its stretch.
    template<typename Visitor>
    static void forEachRangeWithin(const QString &in, const QList<TextRange> &stretches, Visitor &&visit)
    {
        for (const TextRange &stretch : stretches) {
            if (!stretch.fitsIn(in.size()))
                continue;
            const QStringView text = QStringView(in).sliced(stretch.location, stretch.length);
            for (const SearchSegment &segment : Family::searchSegments(text)) {
                const icu::RegexPattern *regex = segment.fullExpression ? compiledRegex() : Family::compiledTailRegex();
                if (regex) {
                    ::forEachMatch(*regex, in, stretch.location + segment.start, stretch.location + segment.end,
                                   [&](const icu::RegexMatcher &matcher) { visit(matchedRange(matcher)); });
                }
            }
        }
    }

    static const icu::RegexPattern *compiledRegex()
    {
        static const std::unique_ptr<icu::RegexPattern> compiled = compiledSearchExpression(Family::regex());
        return compiled.get();
    }

    // A family may split the text to stay linear; outside the full-expression segments it searches with
    // compiledTailRegex(), or not at all when that is null.
    static QList<SearchSegment> searchSegments(QStringView text) { return wholeTextSegment(text); }
    static const icu::RegexPattern *compiledTailRegex() { return nullptr; }

private:
    template<typename Visitor> static void visitMatches(const QString &in, Visitor &&visit)
    {
        for (const SearchSegment &segment : Family::searchSegments(in)) {
            const icu::RegexPattern *regex = segment.fullExpression ? compiledRegex() : Family::compiledTailRegex();
            if (regex)
                ::forEachMatch(*regex, in, segment.start, segment.end, visit);
        }
    }
};

#pragma once

#include <QList>
#include <QStringView>

// A stretch of a searched text and whether the family's full expression must run over it, or only the
// alternatives that cannot match there anyway are left out.
struct SearchSegment
{
    qsizetype start = 0;
    qsizetype end = 0;
    bool fullExpression = true;

    friend bool operator==(const SearchSegment &, const SearchSegment &) = default;
};

QList<SearchSegment> wholeTextSegment(QStringView text);

// For an expression with a lazy "opener .*? closer" alternative, which ICU retries from every opener and scans to
// the end of the line each time it fails: quadratic on a long line of openers without closers. No such match can
// start after the last closer of a line, so the rest of the line after it, when an opener occurs there, becomes a
// segment searched without that alternative. Every other match lies wholly on one side, since none but that
// alternative can hold a closer. Lines end where ICU's "." stops.
// The predicates are asked only where the opener's first character or the closer stands.
struct SpanDelimiters
{
    QChar openerStart;
    bool (*opensAt)(QStringView text, qsizetype index);
    QChar closer;
    bool (*closesAt)(QStringView text, qsizetype index);
};

QList<SearchSegment> segmentsWithoutUnclosedSpans(QStringView text, const SpanDelimiters &delimiters);

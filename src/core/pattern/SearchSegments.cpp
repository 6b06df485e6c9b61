#include "core/pattern/SearchSegments.h"

namespace {

bool isLineTerminator(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x0a && u <= 0x0d) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

void appendSegment(QList<SearchSegment> &segments, qsizetype start, qsizetype end, bool fullExpression)
{
    if (start >= end)
        return;
    if (!segments.isEmpty() && segments.last().end == start && segments.last().fullExpression == fullExpression) {
        segments.last().end = end;
        return;
    }
    segments.append({start, end, fullExpression});
}

} // namespace

QList<SearchSegment> wholeTextSegment(QStringView text)
{
    if (text.isEmpty())
        return {};
    return {{0, text.size(), true}};
}

QList<SearchSegment> segmentsWithoutUnclosedSpans(QStringView text, const SpanDelimiters &delimiters)
{
    QList<SearchSegment> segments;
    qsizetype lineStart = 0;
    while (lineStart < text.size()) {
        qsizetype lineEnd = lineStart;
        qsizetype afterLastCloser = lineStart;
        for (; lineEnd < text.size() && !isLineTerminator(text.at(lineEnd)); ++lineEnd) {
            if (text.at(lineEnd) == delimiters.closer && delimiters.closesAt(text, lineEnd))
                afterLastCloser = lineEnd + 1;
        }
        const qsizetype nextLine = lineEnd < text.size() ? lineEnd + 1 : lineEnd;
        bool unclosedOpener = false;
        for (qsizetype i = afterLastCloser; i < lineEnd && !unclosedOpener; ++i)
            unclosedOpener = text.at(i) == delimiters.openerStart && delimiters.opensAt(text, i);
        if (unclosedOpener) {
            appendSegment(segments, lineStart, afterLastCloser, true);
            appendSegment(segments, afterLastCloser, nextLine, false);
        } else {
            appendSegment(segments, lineStart, nextLine, true);
        }
        lineStart = nextLine;
    }
    return segments;
}

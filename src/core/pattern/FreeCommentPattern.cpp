#include "core/pattern/FreeCommentPattern.h"

using namespace Qt::StringLiterals;

namespace {

bool opensComment(QStringView text, qsizetype index)
{
    return text.sliced(index).startsWith(u"(?#");
}

bool closesComment(QStringView text, qsizetype index)
{
    return text.at(index) == u')';
}

} // namespace

const QString &FreeCommentPattern::regex()
{
    static const QString regex = uR"(\(\?\#.*?\))"_s;
    return regex;
}

QList<SearchSegment> FreeCommentPattern::searchSegments(QStringView text)
{
    return segmentsWithoutUnclosedSpans(text, {u'(', opensComment, u')', closesComment});
}

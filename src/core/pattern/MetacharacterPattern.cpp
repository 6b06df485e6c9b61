#include "core/pattern/MetacharacterPattern.h"

using namespace Qt::StringLiterals;

namespace {

// In order: at a given position the first alternative that matches is taken.
const QStringList &alternatives()
{
    static const QStringList alternatives {
        uR"(\\a)"_s,
        uR"(\\A)"_s,
        uR"(\\b)"_s,
        uR"(\\B)"_s,
        uR"(\\cX)"_s,
        uR"(\\d)"_s,
        uR"(\\D)"_s,
        uR"(\\e)"_s,
        uR"(\\E)"_s,
        uR"(\\f)"_s,
        uR"(\\G)"_s,
        uR"(\\n)"_s,
        uR"(\\N\{\w+\})"_s,
        uR"(\\p\{\w+\})"_s,
        uR"(\\P\{\w+\})"_s,
        uR"(\\Q)"_s,
        uR"(\\r)"_s,
        uR"(\\s)"_s,
        uR"(\\S)"_s,
        uR"(\\t)"_s,
        uR"(\\u[0-9a-f]{4})"_s,
        uR"(\\U[0-9a-f]{8})"_s,
        uR"(\\w)"_s,
        uR"(\\W)"_s,
        uR"(\\x\{[0-9a-f]{4}\})"_s,
        uR"(\\x[0-9a-f]{2})"_s,
        uR"(\\X)"_s,
        uR"(\\Z)"_s,
        uR"(\\z)"_s,
        uR"(\\[0-9]+)"_s,
        uR"(\\0[0-7]{1,3})"_s,
        uR"((?<!\\)\[.*?(?<!\\)\])"_s,
    };
    return alternatives;
}

bool isUnescaped(QStringView text, qsizetype index, QChar character)
{
    return text.at(index) == character && (index == 0 || text.at(index - 1) != u'\\');
}

bool opensClass(QStringView text, qsizetype index)
{
    return isUnescaped(text, index, u'[');
}

bool closesClass(QStringView text, qsizetype index)
{
    return isUnescaped(text, index, u']');
}

} // namespace

const QString &MetacharacterPattern::regex()
{
    static const QString regex = alternatives().join(u'|');
    return regex;
}

const icu::RegexPattern *MetacharacterPattern::compiledTailRegex()
{
    static const std::unique_ptr<icu::RegexPattern> compiled
        = compiledSearchExpression(alternatives().first(alternatives().size() - 1).join(u'|'));
    return compiled.get();
}

QList<SearchSegment> MetacharacterPattern::searchSegments(QStringView text)
{
    return segmentsWithoutUnclosedSpans(text, {u'[', opensClass, u']', closesClass});
}

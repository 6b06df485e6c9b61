#include "core/pattern/SpecialExpressionPattern.h"

using namespace Qt::StringLiterals;

const QString &SpecialExpressionPattern::regex()
{
    static const QString regex = QStringList{
        uR"(\{[0-9]+\})"_s,
        uR"(\{[0-9]+,\})"_s,
        uR"(\{[0-9]+,[0-9]+\})"_s,
        regexEscaped(u"(?:"_s),
        regexEscaped(u"(?>"_s),
        regexEscaped(u"(?#"_s),
        regexEscaped(u"(?="_s),
        regexEscaped(u"(?!"_s),
        regexEscaped(u"(?<="_s),
        regexEscaped(u"(?<!"_s),
    }.join(u'|');
    return regex;
}

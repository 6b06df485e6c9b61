#include "core/pattern/SpecialCharacterPattern.h"

using namespace Qt::StringLiterals;

const QString &SpecialCharacterPattern::regex()
{
    static const QString regex = QStringList{
        uR"(\()"_s, uR"(\))"_s, uR"(\|)"_s, uR"(\*)"_s, uR"(\?)"_s, uR"(\+)"_s, uR"(\{)"_s,
        uR"(\})"_s, uR"(\\)"_s, uR"(\/)"_s, uR"(\.)"_s, uR"(\^)"_s, uR"(\$)"_s, uR"(\ )"_s,
    }.join(u'|');
    return regex;
}

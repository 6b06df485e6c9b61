#include "core/pattern/PatternEscaping.h"

using namespace Qt::StringLiterals;

QString PatternEscaping::escapedForCopy(const QString &pattern)
{
    return QString(pattern).replace(u"\\"_s, uR"(\\)"_s);
}

QString PatternEscaping::unescapedForPaste(const QString &text)
{
    return QString(text).replace(uR"(\\)"_s, u"\\"_s);
}

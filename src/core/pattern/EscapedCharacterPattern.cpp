#include "core/pattern/EscapedCharacterPattern.h"

#include "core/pattern/SpecialCharacterPattern.h"

using namespace Qt::StringLiterals;

// Inside the brackets the special characters' alternatives read as one set of characters.
const QString &EscapedCharacterPattern::regex()
{
    static const QString regex = uR"(\\[)"_s + SpecialCharacterPattern::regex() + u"]"_s;
    return regex;
}

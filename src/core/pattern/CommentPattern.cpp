#include "core/pattern/CommentPattern.h"

using namespace Qt::StringLiterals;

// Not after "(?", which opens an inline comment, nor after a backslash.
const QString &CommentPattern::regex()
{
    static const QString regex = uR"((?<!(\(\?)|\\)\#.*)"_s;
    return regex;
}

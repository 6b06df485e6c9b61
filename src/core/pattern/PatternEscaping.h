#pragma once

#include <QString>

// Moving a pattern to and from a string literal in source code. Only backslashes are touched: quotation marks,
// line breaks and everything else pass through unchanged.
namespace PatternEscaping {

// Every backslash doubled.
QString escapedForCopy(const QString &pattern);
// Every pair of backslashes, left to right without overlap, made one; a lone backslash stays.
QString unescapedForPaste(const QString &text);

} // namespace PatternEscaping

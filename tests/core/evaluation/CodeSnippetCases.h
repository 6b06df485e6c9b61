#pragma once

#include "core/evaluation/RegularExpression.h"

#include <QList>
#include <QString>

// Patterns that are hard to write as string literals, with a text each matches in several places. Both the
// expected snippets and the C++ snippets run against ICU are made from these.
struct CodeSnippetCase
{
    const char *name;
    QString pattern;
    RegularExpressionOptions options;
    QString text;
};

inline QList<CodeSnippetCase> codeSnippetCases()
{
    using namespace Qt::StringLiterals;
    constexpr RegularExpressionOptions everySwitch(0x7F);
    const QChar high(0xD800);
    const QChar low(0xDC00);
    return {
        {"backslashes and quoting",
         uR"(\d+\.\d*|\\[nt]|\u00E9|\Qa.b\E|\x{1F600})"_s,
         {},
         u"3.14 and 2. or \\n, é, a.b axb 😀"_s},
        {"quotes", uR"("[^"]*"|'[^']*'|\?\?=)"_s, {}, uR"(say "hi" or 'ho' ??=)"_s},
        {"dollar and what looks like interpolation", uR"(\(\w+\)|\$\{?\w+\}?|\w+$|#\{x\})"_s, anchorsMatchLinesOption,
         u"(price) costs $5 or ${total} #{x}\nend"_s},
        {"non-ASCII, visible and not", u"grüße|日本|😀+|\u00A0|\u2028|\u200D|\uFEFF|\U000E0041"_s, caseInsensitiveOption,
         u"GRÜSSE 日本 😀😀 a\u00A0b c\u2028d e\u200Df \uFEFF \U000E0041"_s},
        {"line breaks, tab, NUL and other controls",
         u"a\nb|\r\n|\t|\0 ?1|\u0001|\u0085|\u001A"_s,
         {},
         u"a\nb\r\n\t\0 1\u0001\u0085\u001A"_s},
        {"lone surrogates",
         QString(high) + u"a|b"_s + low + u"|c"_s + high + u"\\\\"_s,
         {},
         QString(high) + u"a b"_s + low + u" c"_s + high + u"\\"_s},
        {"every switch but literal", u"^ \\w+ \\b . $ # to the end\n | x\\$ (?# in the pattern )"_s,
         everySwitch & ~RegularExpressionOptions(patternIsLiteralOption), u"ab.\nAb\u00E9,\u2028Ef\nx$"_s},
        {"every switch", uR"(a.b\E$(?)"_s, everySwitch, uR"(a.b\E$(? A.B\e$(? axb\E$()"_s},
    };
}

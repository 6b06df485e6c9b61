#pragma once

#include "core/pattern/Pattern.h"

struct FreeCommentPatternMatch
{
    QString match;

    explicit FreeCommentPatternMatch(const CaptureTexts &groups)
        : match(groups.value(0).value_or(QString()))
    {
    }
};

// An inline comment group from "(?#" to the nearest ")" on the same line, found by a plain search. The colouring
// takes comments from PatternSyntaxReader instead, which follows them across lines and past quoted parentheses.
struct FreeCommentPattern final : PatternFamily<FreeCommentPattern, FreeCommentPatternMatch>
{
    static const QString &regex();

    static QList<SearchSegment> searchSegments(QStringView text);
};

static_assert(Pattern<FreeCommentPattern>);

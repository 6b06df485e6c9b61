#pragma once

#include "core/pattern/Pattern.h"

struct CommentPatternMatch
{
    QString match;

    explicit CommentPatternMatch(const CaptureTexts &groups)
        : match(groups.value(0).value_or(QString()))
    {
    }
};

// A "#" comment to the end of its line, as in free-spacing mode, found by a plain search. The colouring takes
// comments from PatternSyntaxReader instead, which knows where free spacing is on and what is quoted.
struct CommentPattern final : PatternFamily<CommentPattern, CommentPatternMatch>
{
    static const QString &regex();
};

static_assert(Pattern<CommentPattern>);

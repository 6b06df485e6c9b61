#pragma once

#include "pattern/Pattern.h"

struct CommentPatternMatch
{
    QString match;

    explicit CommentPatternMatch(const CaptureTexts &groups)
        : match(groups.value(0).value_or(QString()))
    {
    }
};

// A "#" comment to the end of its line, as in free-spacing mode.
struct CommentPattern final : PatternFamily<CommentPattern, CommentPatternMatch>
{
    static const QString &regex();
};

static_assert(Pattern<CommentPattern>);

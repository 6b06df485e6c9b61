#pragma once

#include "core/pattern/Pattern.h"

struct SpecialExpressionPatternMatch
{
    QString match;

    explicit SpecialExpressionPatternMatch(const CaptureTexts &groups)
        : match(groups.value(0).value_or(QString()))
    {
    }
};

// Counted quantifiers {n}, {n,}, {n,m} and the openers of special groups.
struct SpecialExpressionPattern final : PatternFamily<SpecialExpressionPattern, SpecialExpressionPatternMatch>
{
    static const QString &regex();
};

static_assert(Pattern<SpecialExpressionPattern>);

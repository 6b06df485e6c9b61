#pragma once

#include "core/pattern/Pattern.h"

// Counted quantifiers {n}, {n,}, {n,m} and the openers of special groups.
struct SpecialExpressionPattern final : PatternFamily<SpecialExpressionPattern>
{
    static const QString &regex();
};

static_assert(Pattern<SpecialExpressionPattern>);

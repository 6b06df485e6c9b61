#pragma once

#include "core/pattern/Pattern.h"

// Single special characters: ( ) | * ? + { } \ / . ^ $ and the space.
struct SpecialCharacterPattern final : PatternFamily<SpecialCharacterPattern>
{
    static const QString &regex();
};

static_assert(Pattern<SpecialCharacterPattern>);

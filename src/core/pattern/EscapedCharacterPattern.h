#pragma once

#include "core/pattern/Pattern.h"

// A backslash and one special character, such as \( or \.
struct EscapedCharacterPattern final : PatternFamily<EscapedCharacterPattern>
{
    static const QString &regex();
};

static_assert(Pattern<EscapedCharacterPattern>);

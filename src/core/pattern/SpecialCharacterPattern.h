#pragma once

#include "core/pattern/Pattern.h"

struct SpecialCharacterPatternMatch
{
    QString match;

    explicit SpecialCharacterPatternMatch(const CaptureTexts &groups)
        : match(groups.value(0).value_or(QString()))
    {
    }
};

// Single special characters: ( ) | * ? + { } \ / . ^ $ and the space.
struct SpecialCharacterPattern final : PatternFamily<SpecialCharacterPattern, SpecialCharacterPatternMatch>
{
    static const QString &regex();
};

static_assert(Pattern<SpecialCharacterPattern>);

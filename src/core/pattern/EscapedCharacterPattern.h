#pragma once

#include "core/pattern/Pattern.h"

struct EscapedCharacterPatternMatch
{
    QString match;
    // Kept empty: the colouring needs only the range.
    QString character;

    explicit EscapedCharacterPatternMatch(const CaptureTexts &groups)
        : match(groups.value(0).value_or(QString()))
    {
    }
};

// A backslash and one special character, such as \( or \.
struct EscapedCharacterPattern final : PatternFamily<EscapedCharacterPattern, EscapedCharacterPatternMatch>
{
    static const QString &regex();
};

static_assert(Pattern<EscapedCharacterPattern>);

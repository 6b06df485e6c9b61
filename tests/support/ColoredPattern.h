#pragma once

#include "core/pattern/PatternAttributedStringBuilder.h"

// The pattern view's colouring in the palette the settings choose; the one place tests call the builder.
inline AttributedPattern coloredPattern(const QString &pattern, qint64 highlightedGroup, bool comments)
{
    return PatternAttributedStringBuilder::coloredPattern(pattern, highlightedGroup, comments);
}

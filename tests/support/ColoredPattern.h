#pragma once

#include "core/pattern/PatternAttributedStringBuilder.h"
#include "core/settings/LightAppearance.h"

// The pattern view's colouring in the light palette; the one place tests call the builder.
inline AttributedPattern coloredPattern(const QString &pattern, qint64 highlightedGroup, bool comments)
{
    return PatternAttributedStringBuilder::coloredPattern(pattern, highlightedGroup, comments, LightAppearance());
}

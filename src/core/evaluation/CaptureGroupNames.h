#pragma once

#include <QStringList>

#include <unicode/regex.h>

// The names of a compiled pattern's groups. ICU can look a name up but not list them, so the pattern text is read
// as the engine reads it (quoting, comments, free spacing) and every name is checked with the engine.
class CaptureGroupNames final
{
public:
    CaptureGroupNames() = delete;

    // One entry per group, index 0 for the whole match; empty for a group without a name.
    static QStringList of(const icu::RegexPattern &pattern);
};

#pragma once

#include <QStringList>

#include <unicode/regex.h>

// The names of a compiled pattern's groups. ICU can look a name up but not list them, so the pattern text is
// scanned for "(?<name>" openers and every candidate is checked with the engine. A candidate the engine does not
// know (escaped, inside a class or a comment) is dropped, and a name that also appears in such a place still maps
// to its real group, so the scan never names a group wrongly.
class CaptureGroupNames final
{
public:
    CaptureGroupNames() = delete;

    // One entry per group, index 0 for the whole match; empty for a group without a name.
    static QStringList of(const icu::RegexPattern &pattern);
};

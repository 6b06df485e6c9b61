#pragma once

#include "core/pattern/TextRange.h"

#include <QString>

#include <optional>

// One parenthesised group of a pattern. The character indexes count user-perceived characters; the UTF-16
// offsets locate the same parentheses for text views, which count code units.
struct CaptureGroup
{
    qint64 rangeStartIndex = 0;
    // Index of the closing ")"; none while the group is still open.
    std::optional<qint64> rangeEndIndex;
    bool isValid = true;
    // For (?<name>...); empty otherwise.
    QString name;

    qsizetype utf16Start = 0;
    // Just past the closing ")".
    std::optional<qsizetype> utf16End;

    // From the "(" through the ")", both included; not found while the group is open.
    TextRange utf16Range() const
    {
        if (!utf16End)
            return {};
        return {utf16Start, *utf16End - utf16Start};
    }
};

// Moved as bytes when a list of them grows: patterns may hold hundreds of thousands of groups.
Q_DECLARE_TYPEINFO(CaptureGroup, Q_RELOCATABLE_TYPE);

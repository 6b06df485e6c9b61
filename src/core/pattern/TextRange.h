#pragma once

#include <QtGlobal>

#include <limits>

// A (location, length) range in UTF-16 code units. A group that took no part in a match has location notFound,
// which makes location + length exceed any text length, so such a range is never applied to a text.
struct TextRange
{
    static constexpr qsizetype notFound = std::numeric_limits<qsizetype>::max() / 2;

    qsizetype location = notFound;
    qsizetype length = 0;

    bool isFound() const { return location != notFound; }
    qsizetype end() const { return location + length; }
    // True when the range lies inside a text of the given length.
    bool fitsIn(qsizetype textLength) const { return isFound() && location >= 0 && length >= 0 && end() <= textLength; }

    friend bool operator==(const TextRange &, const TextRange &) = default;
};

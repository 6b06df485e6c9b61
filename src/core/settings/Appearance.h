#pragma once

#include "core/settings/Color.h"

#include <QString>

// A read-only palette: one colour per visual role.
class Appearance
{
public:
    virtual ~Appearance() = default;

    virtual bool isDark() const = 0;
    virtual QString appearanceName() const = 0;
    virtual Color librarySelectionColor() const = 0;
    virtual Color matchColor() const = 0;
    virtual Color alternateMatchColor() const = 0;
    virtual Color highlightingLabelColor() const = 0;
    virtual Color highlightingLabelBoxColor() const = 0;
    virtual Color outputTextColor() const = 0;
    virtual Color patternTextColor() const = 0;
    virtual Color errorColor() const = 0;
    virtual Color warningColor() const = 0;
    virtual Color textBoxColor() const = 0;
    virtual Color placeholderColor() const = 0;
    virtual Color plainTextColor() const = 0;
    virtual Color escapedCharacterColor() const = 0;
    virtual Color specialCharacterColor() const = 0;
    virtual Color commentColor() const = 0;
    virtual Color highlightedGroupColor() const = 0;
    virtual Color metacharacterColor() const = 0;
    virtual Color patternSelectionColor() const = 0;
    virtual Color patternSelectedTextColor() const = 0;
    virtual Color outputSelectionColor() const = 0;
    virtual Color outputSelectedTextColor() const = 0;
    virtual Color textColor() const = 0;
    virtual Color linkColor() const = 0;
    virtual Color hoverLinkColor() const = 0;

    // Consecutive matches alternate; the remainder keeps the index's sign, so negative odd indices give matchColor.
    Color highlightColor(qsizetype matchIndex) const
    {
        return matchIndex % 2 == 1 ? alternateMatchColor() : matchColor();
    }
};

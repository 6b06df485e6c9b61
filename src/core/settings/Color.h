#pragma once

#include <QColor>
#include <QString>

#include <optional>

// A palette colour: "#RRGGBB" text and an opacity.
struct Color
{
    QString rgb;
    float alpha = 1.0F;

    static const Color &black();
    static const Color &white();

    Color withAlpha(float newAlpha) const { return {rgb, newAlpha}; }
    // Palette values are well-formed, so a failed conversion gives an invalid QColor rather than a result to check.
    QColor toQColor() const;

    friend bool operator==(const Color &, const Color &) = default;
};

// Parses "#RRGGBB" leniently: surrounding white space is ignored, case does not matter, and a component that does
// not start with a hexadecimal digit reads as 0. Anything that is not "#" and six more characters fails.
std::optional<QColor> colorWithRgb(const QString &rgb, double alpha = 1.0);

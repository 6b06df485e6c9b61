#pragma once

#include "core/settings/Appearance.h"

class DarkAppearance final : public Appearance
{
public:
    bool isDark() const override { return true; }
    QString appearanceName() const override { return QStringLiteral("VibrantDark"); }
    Color librarySelectionColor() const override { return Color::white().withAlpha(0.35F); }
    Color matchColor() const override { return {QStringLiteral("#9B3CC7"), 1.0F}; }
    Color alternateMatchColor() const override { return {QStringLiteral("#3C7EC7"), 1.0F}; }
    Color highlightingLabelColor() const override { return Color::white(); }
    Color highlightingLabelBoxColor() const override { return Color::black().withAlpha(0.4F); }
    Color outputTextColor() const override { return Color::white(); }
    Color patternTextColor() const override { return Color::white(); }
    Color errorColor() const override { return {QStringLiteral("#ED5C59"), 1.0F}; }
    Color warningColor() const override { return {QStringLiteral("#EBC03C"), 0.92F}; }
    Color textBoxColor() const override { return Color::black().withAlpha(0.24F); }
    Color placeholderColor() const override { return Color::white().withAlpha(0.3F); }
    Color plainTextColor() const override { return Color::white(); }
    Color escapedCharacterColor() const override { return {QStringLiteral("#888888"), 1.0F}; }
    Color specialCharacterColor() const override { return {QStringLiteral("#C47CE6"), 1.0F}; }
    Color commentColor() const override { return {QStringLiteral("#888888"), 1.0F}; }
    Color highlightedGroupColor() const override { return Color::white().withAlpha(0.25F); }
    Color metacharacterColor() const override { return {QStringLiteral("#5C9CF6"), 1.0F}; }
    Color patternSelectionColor() const override { return {QStringLiteral("#aaaaaa"), 1.0F}; }
    Color patternSelectedTextColor() const override { return {QStringLiteral("#333333"), 1.0F}; }
    Color outputSelectionColor() const override { return {QStringLiteral("#aaaaaa"), 1.0F}; }
    Color outputSelectedTextColor() const override { return {QStringLiteral("#333333"), 1.0F}; }
    Color textColor() const override { return {QStringLiteral("#ffffff"), 1.0F}; }
    Color linkColor() const override { return {QStringLiteral("#9B3CC7"), 1.0F}; }
    Color hoverLinkColor() const override { return {QStringLiteral("#A783D6"), 1.0F}; }
};

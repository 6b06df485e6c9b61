#pragma once

#include "core/settings/Appearance.h"

class LightAppearance final : public Appearance
{
public:
    bool isDark() const override { return false; }
    QString appearanceName() const override { return QStringLiteral("VibrantLight"); }
    Color librarySelectionColor() const override { return Color::black().withAlpha(0.45F); }
    Color matchColor() const override { return {QStringLiteral("#DD92FF"), 1.0F}; }
    Color alternateMatchColor() const override { return {QStringLiteral("#93DDF9"), 1.0F}; }
    Color highlightingLabelColor() const override { return Color::black(); }
    Color highlightingLabelBoxColor() const override { return Color::white().withAlpha(0.4F); }
    Color outputTextColor() const override { return Color::black(); }
    Color patternTextColor() const override { return Color::black(); }
    Color errorColor() const override { return {QStringLiteral("#B73733"), 0.9F}; }
    // Darker than the dark palette's: text in it needs a contrast of 4.5:1 on the light window.
    Color warningColor() const override { return {QStringLiteral("#77631D"), 0.92F}; }
    Color textBoxColor() const override { return Color::black().withAlpha(0.07F); }
    Color placeholderColor() const override { return Color::black().withAlpha(0.3F); }
    Color plainTextColor() const override { return Color::black(); }
    Color escapedCharacterColor() const override { return {QStringLiteral("#999999"), 1.0F}; }
    Color specialCharacterColor() const override { return {QStringLiteral("#B650E6"), 1.0F}; }
    Color commentColor() const override { return {QStringLiteral("#888888"), 1.0F}; }
    Color highlightedGroupColor() const override { return Color::black().withAlpha(0.2F); }
    Color metacharacterColor() const override { return {QStringLiteral("#0091FF"), 1.0F}; }
    Color patternSelectionColor() const override { return {QStringLiteral("#7c7c7c"), 1.0F}; }
    Color patternSelectedTextColor() const override { return Color::black(); }
    Color outputSelectionColor() const override { return {QStringLiteral("#7c7c7c"), 1.0F}; }
    Color outputSelectedTextColor() const override { return Color::black(); }
    Color textColor() const override { return {QStringLiteral("#333333"), 1.0F}; }
    Color linkColor() const override { return {QStringLiteral("#9B3CC7"), 1.0F}; }
    Color hoverLinkColor() const override { return {QStringLiteral("#A783D6"), 1.0F}; }
};

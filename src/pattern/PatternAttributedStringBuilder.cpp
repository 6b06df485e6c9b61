#include "pattern/PatternAttributedStringBuilder.h"

#include "pattern/CaptureGroupParser.h"
#include "pattern/CommentPattern.h"
#include "pattern/EscapedCharacterPattern.h"
#include "pattern/FreeCommentPattern.h"
#include "pattern/MetacharacterPattern.h"
#include "pattern/SpecialCharacterPattern.h"
#include "pattern/SpecialExpressionPattern.h"
#include "settings/AppearanceController.h"
#include "settings/UserDefaults.h"

PatternAttributedStringBuilder::PatternAttributedStringBuilder(AttributedPattern attributedPattern)
    : m_attributedPattern(std::move(attributedPattern))
{
}

PatternAttributedStringBuilder::~PatternAttributedStringBuilder() = default;

AttributedPattern PatternAttributedStringBuilder::coloredPattern(const QString &pattern, qint64 highlightedGroup)
{
    PatternAttributedStringBuilder builder {AttributedPattern(pattern)};
    builder.colorPlainText();
    builder.colorSpecialCharacterMatches();
    builder.colorSpecialExpressionMatches();
    builder.colorEscapedCharacterMatches();
    builder.colorMetacharacterMatches();
    builder.colorCommentMatches();
    builder.colorFreeCommentMatches();
    builder.highlightGroup(highlightedGroup);
    return std::move(builder.m_attributedPattern);
}

QColor PatternAttributedStringBuilder::paletteColor(Color (Appearance::*color)() const)
{
    if (!m_appearanceController)
        m_appearanceController = std::make_unique<AppearanceController>();
    const std::unique_ptr<Appearance> appearance = m_appearanceController->appearance();
    return ((*appearance).*color)().toQColor();
}

void PatternAttributedStringBuilder::colorPlainText()
{
    m_attributedPattern.addColor(
        ColorRole::foreground, {0, pattern().size()}, paletteColor(&Appearance::plainTextColor));
}

void PatternAttributedStringBuilder::colorSpecialCharacterMatches()
{
    colorMatches<SpecialCharacterPattern>(&Appearance::specialCharacterColor);
}

void PatternAttributedStringBuilder::colorSpecialExpressionMatches()
{
    colorMatches<SpecialExpressionPattern>(&Appearance::specialCharacterColor);
}

// The backslash in its own colour, the character it escapes as plain text.
void PatternAttributedStringBuilder::colorEscapedCharacterMatches()
{
    const QColor backslash = paletteColor(&Appearance::escapedCharacterColor);
    const QColor escaped = paletteColor(&Appearance::plainTextColor);
    EscapedCharacterPattern::forEachRange(pattern(), [&](const TextRange &range) {
        m_attributedPattern.addColor(ColorRole::foreground, {range.location, 1}, backslash);
        m_attributedPattern.addColor(ColorRole::foreground, {range.location + 1, range.length - 1}, escaped);
    });
}

void PatternAttributedStringBuilder::colorMetacharacterMatches()
{
    colorMatches<MetacharacterPattern>(&Appearance::metacharacterColor);
}

void PatternAttributedStringBuilder::colorCommentMatches()
{
    if (!UserDefaults::standard().boolValue(UserDefaultsKey::allowCommentsAndWhitespace))
        return;
    colorMatches<CommentPattern>(&Appearance::commentColor);
}

void PatternAttributedStringBuilder::colorFreeCommentMatches()
{
    colorMatches<FreeCommentPattern>(&Appearance::commentColor);
}

void PatternAttributedStringBuilder::highlightGroup(qint64 highlightedGroup)
{
    // Group 0, the whole pattern, is never marked.
    if (highlightedGroup < 1)
        return;
    const CaptureGroupParser::Result groups = CaptureGroupParser(pattern()).parse();
    if (!groups || highlightedGroup >= groups.value().size())
        return;
    m_attributedPattern.addColor(ColorRole::background, groups.value().at(highlightedGroup).utf16Range(),
        paletteColor(&Appearance::highlightedGroupColor));
}

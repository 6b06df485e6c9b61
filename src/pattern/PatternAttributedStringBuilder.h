#pragma once

#include "pattern/AttributedPattern.h"
#include "pattern/Pattern.h"
#include "settings/Appearance.h"

#include <memory>

class AppearanceController;

// Colours a pattern's tokens, family by family; a later step wins where ranges overlap. Made for one colouring
// pass; every step reads the palette afresh.
class PatternAttributedStringBuilder final
{
public:
    explicit PatternAttributedStringBuilder(AttributedPattern attributedPattern);
    ~PatternAttributedStringBuilder();
    PatternAttributedStringBuilder(const PatternAttributedStringBuilder &) = delete;
    PatternAttributedStringBuilder &operator=(const PatternAttributedStringBuilder &) = delete;

    // The pattern view's whole pass: plain colour, the six families, then the background of group
    // highlightedGroup (1 for the first capturing group; below 1 marks nothing).
    static AttributedPattern coloredPattern(const QString &pattern, qint64 highlightedGroup);

    const QString &pattern() const { return m_attributedPattern.text(); }
    const AttributedPattern &attributedPattern() const { return m_attributedPattern; }

    void colorPlainText();
    void colorSpecialCharacterMatches();
    void colorSpecialExpressionMatches();
    void colorEscapedCharacterMatches();
    void colorMetacharacterMatches();
    // Only while "allowCommentsAndWhitespace" is on, read at this moment.
    void colorCommentMatches();
    void colorFreeCommentMatches();
    // Nothing when the parentheses do not balance or the group does not exist.
    void highlightGroup(qint64 highlightedGroup);

    template<Pattern Family>
    void colorMatches(Color (Appearance::*color)() const)
    {
        const QColor foreground = paletteColor(color);
        Family::forEachRange(pattern(), [&](const TextRange &range) {
            m_attributedPattern.addColor(ColorRole::foreground, range, foreground);
        });
    }

private:
    QColor paletteColor(Color (Appearance::*color)() const);

    AttributedPattern m_attributedPattern;
    std::unique_ptr<AppearanceController> m_appearanceController;
};

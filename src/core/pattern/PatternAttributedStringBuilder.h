#pragma once

#include "core/pattern/AttributedPattern.h"
#include "core/pattern/Pattern.h"
#include "core/pattern/PatternSyntaxReader.h"
#include "core/settings/Appearance.h"

#include <optional>

// Colours a pattern's tokens, family by family, from the palette it is handed; a later step wins where ranges
// overlap. The families search only where the pattern is syntax as ICU reads it: quoted text stays plain, and
// comments, classes and the marked group come from the same reading. Made for one colouring pass.
class PatternAttributedStringBuilder final
{
public:
    // allowCommentsAndWhitespace: the free-spacing switch the pattern is compiled with. The palette must outlive the
    // builder.
    PatternAttributedStringBuilder(AttributedPattern attributedPattern, const Appearance &palette,
                                   bool allowCommentsAndWhitespace = false);
    ~PatternAttributedStringBuilder();
    PatternAttributedStringBuilder(const PatternAttributedStringBuilder &) = delete;
    PatternAttributedStringBuilder &operator=(const PatternAttributedStringBuilder &) = delete;

    // The pattern view's whole pass: plain colour, the six families, then the background of group
    // highlightedGroup (1 for the first capturing group; below 1 marks nothing).
    static AttributedPattern coloredPattern(const QString &pattern, qint64 highlightedGroup,
                                            bool allowCommentsAndWhitespace, const Appearance &palette);

    // The whole pass's colours over `window` only, from the spans of the pattern's reading that meet it and the
    // highlighted group's range. The families' searches must come to the same matches there as over the whole
    // pattern: no match may cross the window's edges, nor depend on what lies beyond them.
    static QList<ColorSpan> coloredWindow(const QString &pattern, TextRange window,
                                          const QList<PatternSyntaxReader::Span> &spans,
                                          std::optional<TextRange> highlightedRange, const Appearance &palette);

    const QString &pattern() const { return m_attributedPattern.text(); }
    const AttributedPattern &attributedPattern() const { return m_attributedPattern; }

    void colorPlainText();
    void colorSpecialCharacterMatches();
    void colorSpecialExpressionMatches();
    void colorEscapedCharacterMatches();
    void colorMetacharacterMatches();
    // Free-spacing "#" comments: where the switch or an inline flag turns free spacing on.
    void colorCommentMatches();
    void colorFreeCommentMatches();
    // Nothing when the parentheses do not balance or the group does not exist.
    void highlightGroup(qint64 highlightedGroup);

    template<Pattern Family> void colorMatches(Color (Appearance::*color)() const)
    {
        const QColor foreground = paletteColor(color);
        Family::forEachRangeWithin(pattern(), syntaxStretches(), [&](const TextRange &range) {
            m_attributedPattern.addColor(ColorRole::foreground, range, foreground);
        });
    }

private:
    // Plain colour, then the six families in the order in which later ones win.
    void colorAll();
    QColor paletteColor(Color (Appearance::*color)() const);
    const PatternSyntaxReader &reading();
    const QList<PatternSyntaxReader::Span> &readingSpans();
    const QList<TextRange> &syntaxStretches();
    void colorSpans(PatternSyntaxReader::SpanKind kind, Color (Appearance::*color)() const);

    AttributedPattern m_attributedPattern;
    const Appearance &m_palette;
    bool m_allowCommentsAndWhitespace = false;
    std::optional<PatternSyntaxReader> m_reading;
    std::optional<QList<TextRange>> m_syntaxStretches;
    TextRange m_window;
    // Instead of a reading of its own, for a window.
    const QList<PatternSyntaxReader::Span> *m_givenSpans = nullptr;
};

#include "core/pattern/PatternAttributedStringBuilder.h"

#include "core/pattern/CaptureGroupParser.h"
#include "core/pattern/EscapedCharacterPattern.h"
#include "core/pattern/MetacharacterPattern.h"
#include "core/pattern/SpecialCharacterPattern.h"
#include "core/pattern/SpecialExpressionPattern.h"

#include <algorithm>

PatternAttributedStringBuilder::PatternAttributedStringBuilder(AttributedPattern attributedPattern,
                                                               const Appearance &palette,
                                                               bool allowCommentsAndWhitespace)
    : m_attributedPattern(std::move(attributedPattern))
    , m_palette(palette)
    , m_allowCommentsAndWhitespace(allowCommentsAndWhitespace)
    , m_window {0, m_attributedPattern.text().size()}
{
}

PatternAttributedStringBuilder::~PatternAttributedStringBuilder() = default;

AttributedPattern PatternAttributedStringBuilder::coloredPattern(const QString &pattern, qint64 highlightedGroup,
                                                                 bool allowCommentsAndWhitespace,
                                                                 const Appearance &palette)
{
    PatternAttributedStringBuilder builder {AttributedPattern(pattern), palette, allowCommentsAndWhitespace};
    builder.colorAll();
    builder.highlightGroup(highlightedGroup);
    return std::move(builder.m_attributedPattern);
}

QList<ColorSpan> PatternAttributedStringBuilder::coloredWindow(const QString &pattern, TextRange window,
                                                               const QList<PatternSyntaxReader::Span> &spans,
                                                               std::optional<TextRange> highlightedRange,
                                                               const Appearance &palette)
{
    PatternAttributedStringBuilder builder {AttributedPattern(pattern), palette};
    builder.m_window = window;
    builder.m_givenSpans = &spans;
    builder.colorAll();
    if (highlightedRange)
        builder.m_attributedPattern.addColor(ColorRole::background, *highlightedRange,
                                             builder.paletteColor(&Appearance::highlightedGroupColor));
    return builder.m_attributedPattern.spans(window);
}

void PatternAttributedStringBuilder::colorAll()
{
    colorPlainText();
    colorSpecialCharacterMatches();
    colorSpecialExpressionMatches();
    colorEscapedCharacterMatches();
    colorMetacharacterMatches();
    colorCommentMatches();
    colorFreeCommentMatches();
}

QColor PatternAttributedStringBuilder::paletteColor(Color (Appearance::*color)() const)
{
    return (m_palette.*color)().toQColor();
}

const PatternSyntaxReader &PatternAttributedStringBuilder::reading()
{
    if (!m_reading)
        m_reading.emplace(pattern(), m_allowCommentsAndWhitespace);
    return *m_reading;
}

const QList<PatternSyntaxReader::Span> &PatternAttributedStringBuilder::readingSpans()
{
    return m_givenSpans ? *m_givenSpans : reading().spans();
}

const QList<TextRange> &PatternAttributedStringBuilder::syntaxStretches()
{
    if (!m_syntaxStretches) {
        m_syntaxStretches = m_givenSpans ? PatternSyntaxReader::syntaxStretches(*m_givenSpans, m_window)
                                         : reading().syntaxStretches();
    }
    return *m_syntaxStretches;
}

void PatternAttributedStringBuilder::colorSpans(PatternSyntaxReader::SpanKind kind, Color (Appearance::*color)() const)
{
    const QColor foreground = paletteColor(color);
    for (const PatternSyntaxReader::Span &span : readingSpans()) {
        if (span.kind == kind)
            m_attributedPattern.addColor(ColorRole::foreground, span.range, foreground);
    }
}

void PatternAttributedStringBuilder::colorPlainText()
{
    m_attributedPattern.addColor(ColorRole::foreground, m_window, paletteColor(&Appearance::plainTextColor));
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
    EscapedCharacterPattern::forEachRangeWithin(pattern(), syntaxStretches(), [&](const TextRange &range) {
        m_attributedPattern.addColor(ColorRole::foreground, {range.location, 1}, backslash);
        m_attributedPattern.addColor(ColorRole::foreground, {range.location + 1, range.length - 1}, escaped);
    });
}

// Classes as ICU delimits them, nested sets and a leading "]" included; quoted text and comments inside a class
// keep their own colours.
void PatternAttributedStringBuilder::colorMetacharacterMatches()
{
    colorMatches<MetacharacterPattern>(&Appearance::metacharacterColor);
    const QColor foreground = paletteColor(&Appearance::metacharacterColor);
    const QList<TextRange> &stretches = syntaxStretches();
    auto stretch = stretches.cbegin();
    for (const PatternSyntaxReader::Span &span : readingSpans()) {
        if (span.kind != PatternSyntaxReader::SpanKind::characterClass)
            continue;
        // Classes come in text order and never overlap, so the stretches are walked once.
        while (stretch != stretches.cend() && stretch->end() <= span.range.location)
            ++stretch;
        for (auto part = stretch; part != stretches.cend() && part->location < span.range.end(); ++part) {
            const qsizetype start = std::max(part->location, span.range.location);
            const qsizetype end = std::min(part->end(), span.range.end());
            m_attributedPattern.addColor(ColorRole::foreground, {start, end - start}, foreground);
        }
    }
}

void PatternAttributedStringBuilder::colorCommentMatches()
{
    colorSpans(PatternSyntaxReader::SpanKind::freeSpacingComment, &Appearance::commentColor);
}

void PatternAttributedStringBuilder::colorFreeCommentMatches()
{
    colorSpans(PatternSyntaxReader::SpanKind::inlineComment, &Appearance::commentColor);
}

void PatternAttributedStringBuilder::highlightGroup(qint64 highlightedGroup)
{
    // Group 0, the whole pattern, is never marked.
    if (highlightedGroup < 1)
        return;
    const CaptureGroupParser::Result groups = CaptureGroupParser::capturingGroups(pattern(), reading());
    if (!groups || highlightedGroup >= groups.value().size())
        return;
    m_attributedPattern.addColor(ColorRole::background, groups.value().at(highlightedGroup).utf16Range(),
                                 paletteColor(&Appearance::highlightedGroupColor));
}

#pragma once

#include "core/pattern/AttributedPattern.h"
#include "core/pattern/PatternSyntaxReader.h"

#include <QByteArray>

#include <memory>
#include <optional>

class Appearance;

// A pattern's colours as PatternAttributedStringBuilder::coloredPattern() gives them, kept with what recolouring an
// edit needs: the reading's checkpoints, spans and groups, and the points where the token families' searches start
// afresh. An edit is read again from the last checkpoint before it until the reading is in step with the earlier one,
// and coloured in a window around that which no family's search sees past; the colours outside are moved along.
class PatternColoring final
{
public:
    // allowCommentsAndWhitespace: the free-spacing switch; highlightedGroup: 1 for the first capturing group. A shorter
    // checkpoint interval makes smaller windows, at the cost of more checkpoints kept.
    PatternColoring(const QString &pattern, qint64 highlightedGroup, bool allowCommentsAndWhitespace,
                    std::shared_ptr<const Appearance> palette,
                    qsizetype checkpointInterval = PatternSyntaxReader::defaultCheckpointInterval);

    // The pattern after `removed` units of text() at `position` were replaced by `added` units. An edit that does
    // not fit text() colours the pattern whole.
    void edit(const QString &pattern, qsizetype position, qsizetype removed, qsizetype added);
    // The same for whatever changed between text() and the pattern: the units between their common start and end.
    void edit(const QString &pattern);

    const QString &text() const { return m_text; }
    const QList<ColorSpan> &spans() const { return m_spans; }
    qint64 highlightedGroup() const { return m_highlightedGroup; }
    bool allowsCommentsAndWhitespace() const { return m_allowCommentsAndWhitespace; }
    const std::shared_ptr<const Appearance> &palette() const { return m_palette; }
    // Whether the last edit was coloured in a window, not whole.
    bool lastEditWasWindowed() const { return m_lastEditWasWindowed; }

private:
    void colorWhole();
    std::optional<TextRange> highlightedRange() const;

    QString m_text;
    qint64 m_highlightedGroup = 0;
    bool m_allowCommentsAndWhitespace = false;
    std::shared_ptr<const Appearance> m_palette;
    QList<ColorSpan> m_spans;

    QList<PatternSyntaxReader::Checkpoint> m_checkpoints;
    QList<PatternSyntaxReader::Span> m_readingSpans;
    QList<PatternSyntaxReader::Group> m_groups;
    bool m_balanced = true;
    std::optional<TextRange> m_highlight;
    // One byte per point between units (text().size() + 1): 1 where the families' searches start afresh.
    QByteArray m_freshPoints;
    bool m_lastEditWasWindowed = false;
    qsizetype m_checkpointInterval = PatternSyntaxReader::defaultCheckpointInterval;
};

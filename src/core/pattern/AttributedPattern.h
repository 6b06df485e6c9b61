#pragma once

#include "core/pattern/TextRange.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QTextLayout>

#include <optional>

enum class ColorRole {
    foreground,
    background,
};

struct ColorRun
{
    TextRange range;
    ColorRole role = ColorRole::foreground;
    QColor color;

    friend bool operator==(const ColorRun &, const ColorRun &) = default;
};

// A stretch of the text with the colours that apply to all of it.
struct ColorSpan
{
    TextRange range;
    std::optional<QColor> foreground;
    std::optional<QColor> background;

    friend bool operator==(const ColorSpan &, const ColorSpan &) = default;
};

// A pattern's plain text with colour runs over it, in UTF-16 units; where runs of one role overlap, the later one
// wins. A text view applies the result as extra formats of its layout, so its document, undo stack and caret
// stay untouched.
class AttributedPattern final
{
public:
    explicit AttributedPattern(QString text = {});

    const QString &text() const { return m_text; }
    const QList<ColorRun> &runs() const { return m_runs; }

    // An empty range or one that does not lie inside the text is ignored.
    void addColor(ColorRole role, TextRange range, const QColor &color);

    // Non-overlapping spans in text order, each with the colours of the last runs covering it; stretches without
    // any run are left out.
    QList<ColorSpan> spans() const;
    // The same over one stretch of the text only.
    QList<ColorSpan> spans(TextRange within) const;
    // The spans over [from, from + length), positioned from `from`: the formats of one text block.
    QList<QTextLayout::FormatRange> formatRanges(qsizetype from, qsizetype length) const;

private:
    QString m_text;
    QList<ColorRun> m_runs;
};

#include "core/pattern/AttributedPattern.h"

#include <algorithm>

AttributedPattern::AttributedPattern(QString text)
    : m_text(std::move(text))
{
}

void AttributedPattern::addColor(ColorRole role, TextRange range, const QColor &color)
{
    if (range.length <= 0 || !range.fitsIn(m_text.size()))
        return;
    m_runs.append({range, role, color});
}

QList<ColorSpan> AttributedPattern::spans() const
{
    return spans({0, m_text.size()});
}

QList<ColorSpan> AttributedPattern::spans(TextRange within) const
{
    if (!within.fitsIn(m_text.size()))
        return {};
    // Painting each run's index over the units it covers makes the last run win in one pass per run.
    const qsizetype offset = within.location;
    const qsizetype length = within.length;
    QList<qsizetype> foreground(length, -1);
    QList<qsizetype> background(length, -1);
    for (qsizetype r = 0; r < m_runs.size(); ++r) {
        const ColorRun &run = m_runs.at(r);
        const qsizetype start = std::max(run.range.location, within.location) - offset;
        const qsizetype end = std::min(run.range.end(), within.end()) - offset;
        if (start >= end)
            continue;
        QList<qsizetype> &target = run.role == ColorRole::foreground ? foreground : background;
        std::fill(target.begin() + start, target.begin() + end, r);
    }

    const auto colorAt = [this](qsizetype run) -> std::optional<QColor> {
        if (run < 0)
            return std::nullopt;
        return m_runs.at(run).color;
    };
    QList<ColorSpan> spans;
    for (qsizetype i = 0; i < length;) {
        qsizetype end = i + 1;
        while (end < length && foreground.at(end) == foreground.at(i) && background.at(end) == background.at(i))
            ++end;
        const std::optional<QColor> foregroundColor = colorAt(foreground.at(i));
        const std::optional<QColor> backgroundColor = colorAt(background.at(i));
        if (foregroundColor || backgroundColor) {
            ColorSpan *previous = spans.isEmpty() ? nullptr : &spans.last();
            if (previous && previous->range.end() == offset + i && previous->foreground == foregroundColor
                && previous->background == backgroundColor) {
                previous->range.length = offset + end - previous->range.location;
            } else {
                spans.append({{offset + i, end - i}, foregroundColor, backgroundColor});
            }
        }
        i = end;
    }
    return spans;
}

QList<QTextLayout::FormatRange> AttributedPattern::formatRanges(qsizetype from, qsizetype length) const
{
    QList<QTextLayout::FormatRange> ranges;
    const qsizetype to = from + length;
    for (const ColorSpan &span : spans()) {
        const qsizetype start = std::max(span.range.location, from);
        const qsizetype end = std::min(span.range.end(), to);
        if (start >= end)
            continue;
        QTextLayout::FormatRange range;
        range.start = int(start - from);
        range.length = int(end - start);
        if (span.foreground)
            range.format.setForeground(*span.foreground);
        if (span.background)
            range.format.setBackground(*span.background);
        ranges.append(range);
    }
    return ranges;
}

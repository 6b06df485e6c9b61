#include "core/evaluation/TextLineIndex.h"

#include <algorithm>
#include <limits>

TextLineIndex::TextLineIndex(QStringView text)
{
    // Match ranges are 32-bit, so offsets past that never reach this index.
    const qsizetype length = std::min<qsizetype>(text.size(), std::numeric_limits<qint32>::max());
    const char16_t *units = text.utf16();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t unit = units[i];
        if (unit > u'\r' && unit != u'\u2028' && unit != u'\u2029')
            continue;
        if (unit == u'\r') {
            if (i + 1 < length && units[i + 1] == u'\n')
                ++i;
        } else if (unit != u'\n' && unit != u'\u2028' && unit != u'\u2029') {
            continue;
        }
        m_lineStarts.append(qint32(i + 1));
    }
}

TextLineIndex::Position TextLineIndex::position(qsizetype offset) const
{
    offset = std::max<qsizetype>(offset, 0);
    const auto after = std::upper_bound(m_lineStarts.cbegin(), m_lineStarts.cend(), offset);
    const qsizetype line = after - m_lineStarts.cbegin();
    return {line, offset - m_lineStarts.at(line - 1) + 1};
}

#pragma once

#include <QList>
#include <QStringView>

// Where every line of a text starts, so that UTF-16 offsets turn into line and column numbers by a binary search.
// Built once per text. Line breaks are LF, CR, CR LF (one break), U+2028 and U+2029.
class TextLineIndex final
{
public:
    // Both count from 1; the column counts UTF-16 units from the start of the line.
    struct Position
    {
        qsizetype line = 1;
        qsizetype column = 1;
        friend bool operator==(const Position &, const Position &) = default;
    };

    TextLineIndex() = default;
    explicit TextLineIndex(QStringView text);

    qsizetype lineCount() const { return m_lineStarts.size(); }
    // An offset inside a CR LF pair belongs to the line that the pair ends.
    Position position(qsizetype offset) const;

private:
    // 32 bits like the match ranges: a text of short lines can have millions of them.
    QList<qint32> m_lineStarts {0};
};

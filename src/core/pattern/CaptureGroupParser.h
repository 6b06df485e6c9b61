#pragma once

#include "core/pattern/CaptureGroup.h"
#include "core/platform/Expected.h"

#include <QList>
#include <QString>

// Finds the capture groups of a pattern by reading its text as ICU does, without compiling it, in ICU's
// numbering. The free-spacing switch changes what is a comment, so the caller passes it on. Made for one parse()
// and then dropped.
class PatternSyntaxReader;

class CaptureGroupParser final
{
public:
    enum class CaptureGroupParserError {
        // The parentheses do not balance.
        invalidPattern,
    };

    using Result = Expected<QList<CaptureGroup>, CaptureGroupParserError>;

    explicit CaptureGroupParser(const QString &pattern, bool allowCommentsAndWhitespace = false);

    // The pattern with every escaped backslash blanked out; same length and positions as the one handed in.
    const QString &pattern() const { return m_pattern; }

    // The capturing groups in the order of their opening parentheses, group 0 (the whole pattern) first.
    Result parse();
    // The same from a reading of pattern already made, so that the colouring reads a pattern only once.
    static Result capturingGroups(const QString &pattern, const PatternSyntaxReader &reading);

private:
    QString m_source;
    QString m_pattern;
    bool m_allowCommentsAndWhitespace = false;
};

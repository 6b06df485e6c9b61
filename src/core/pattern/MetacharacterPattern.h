#pragma once

#include "core/pattern/Pattern.h"

struct MetacharacterPatternMatch
{
    QString match;

    explicit MetacharacterPatternMatch(const CaptureTexts &groups)
        : match(groups.value(0).value_or(QString()))
    {
    }
};

// Escape sequences with a meaning (\d, \p{...}, \x.., back-references, ...) and whole bracketed classes.
struct MetacharacterPattern final : PatternFamily<MetacharacterPattern, MetacharacterPatternMatch>
{
    static const QString &regex();

    static QList<SearchSegment> searchSegments(QStringView text);
    // Every alternative but the bracketed class.
    static const icu::RegexPattern *compiledTailRegex();
};

static_assert(Pattern<MetacharacterPattern>);

#pragma once

#include "core/pattern/Pattern.h"

// Escape sequences with a meaning (\d, \p{...}, \x.., back-references, ...) and whole bracketed classes.
struct MetacharacterPattern final : PatternFamily<MetacharacterPattern>
{
    static const QString &regex();

    static QList<SearchSegment> searchSegments(QStringView text);
    // Every alternative but the bracketed class.
    static const icu::RegexPattern *compiledTailRegex();
};

static_assert(Pattern<MetacharacterPattern>);

#pragma once

#include "core/evaluation/MatchResults.h"
#include "core/evaluation/RegularExpression.h"
#include "core/platform/IcuString.h"

#include <QString>

#include <memory>

// Every match ICU finds in the text, recorded as an evaluation records them.
inline MatchResults matchesOf(const icu::RegexPattern &pattern, const QString &text)
{
    const icu::UnicodeString input = IcuString::alias(text).value();
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(input, status));
    MatchResults results(matcher->groupCount() + 1);
    while (matcher->find(status))
        results.appendMatch(*matcher, status);
    return results;
}

// None for a pattern that does not compile.
inline MatchResults matchesOf(const QString &pattern, const QString &text, RegularExpressionOptions options = {})
{
    const auto compiled = RegularExpression::compile(pattern, options).pattern;
    return compiled ? matchesOf(*compiled, text) : MatchResults();
}

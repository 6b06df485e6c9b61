#pragma once

#include "core/pattern/TextRange.h"
#include "core/platform/IcuString.h"

#include <QList>
#include <QString>

#include <unicode/regex.h>

#include <memory>

// Case-insensitive; null for an empty or invalid regex.
std::unique_ptr<icu::RegexPattern> compiledSearchExpression(const QString &regex);

// Calls visit(matcher) for each match that lies in [from, to) of text, in order; lookbehinds still see the text
// before from. Nothing is copied, so listing only ranges costs little more than the search itself.
template<typename Visitor>
void forEachMatch(const icu::RegexPattern &regex, const QString &text, qsizetype from, qsizetype to, Visitor &&visit)
{
    if (from < 0 || to > text.size() || from >= to)
        return;
    // The matcher keeps a pointer to the alias, which keeps one to the text.
    const std::optional<icu::UnicodeString> input = IcuString::alias(text);
    if (!input)
        return;
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(regex.matcher(*input, status));
    if (U_FAILURE(status))
        return;
    matcher->region(int64_t(from), int64_t(to), status);
    matcher->useTransparentBounds(true);
    matcher->useAnchoringBounds(false);
    while (U_SUCCESS(status) && matcher->find(status))
        visit(*matcher);
}

TextRange matchedRange(const icu::RegexMatcher &matcher);

// The text with every character that is special in a search expression preceded by a backslash.
QString regexEscaped(const QString &text);

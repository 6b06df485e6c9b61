#include "core/pattern/RegexSearch.h"

#include <string_view>

std::unique_ptr<icu::RegexPattern> compiledSearchExpression(const QString &regex)
{
    const std::optional<icu::UnicodeString> source = IcuString::alias(regex);
    if (regex.isEmpty() || !source)
        return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<icu::RegexPattern> compiled(
        icu::RegexPattern::compile(*source, UREGEX_CASE_INSENSITIVE, parseError, status));
    if (U_FAILURE(status))
        return nullptr;
    return compiled;
}

TextRange matchedRange(const icu::RegexMatcher &matcher)
{
    UErrorCode status = U_ZERO_ERROR;
    const int32_t start = matcher.start(status);
    const int32_t end = matcher.end(status);
    if (U_FAILURE(status) || start < 0)
        return {};
    return {start, end - start};
}

QString regexEscaped(const QString &text)
{
    // The backslash first, so that the backslashes added for the others are not escaped again.
    static constexpr std::u16string_view special = u"\\+(){}[]^$.*|?!";
    QString escaped = text;
    for (const char16_t character : special) {
        const QString replacement = QString(QChar(u'\\')) + QChar(character);
        escaped.replace(QChar(character), replacement);
    }
    return escaped;
}

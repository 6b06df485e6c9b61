#include "core/pattern/RegexSearch.h"

#include <limits>
#include <string_view>

namespace {

icu::UnicodeString readOnlyAlias(const QString &text)
{
    return icu::UnicodeString(false, reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
}

} // namespace

std::unique_ptr<icu::RegexPattern> compiledSearchExpression(const QString &regex)
{
    if (regex.isEmpty() || regex.size() > std::numeric_limits<int32_t>::max())
        return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<icu::RegexPattern> compiled(
        icu::RegexPattern::compile(readOnlyAlias(regex), UREGEX_CASE_INSENSITIVE, parseError, status));
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

CaptureTexts matchedTexts(const icu::RegexMatcher &matcher, const QString &text)
{
    CaptureTexts groups;
    const int32_t groupCount = matcher.groupCount();
    groups.reserve(groupCount + 1);
    for (int32_t k = 0; k <= groupCount; ++k) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t start = matcher.start(k, status);
        const int32_t end = matcher.end(k, status);
        if (U_FAILURE(status) || start < 0)
            groups.append(std::nullopt);
        else
            groups.append(text.sliced(start, end - start));
    }
    return groups;
}

void appendRangedCaptureGroups(const icu::RegexPattern &regex, const QString &text, qsizetype from, qsizetype to,
                               QList<RangedCaptureTexts> &found)
{
    forEachMatch(regex, text, from, to, [&](const icu::RegexMatcher &matcher) {
        found.append({matchedRange(matcher), matchedTexts(matcher, text)});
    });
}

QList<RangedCaptureTexts> rangedCaptureGroups(const QString &text, const QString &regex)
{
    QList<RangedCaptureTexts> found;
    if (const std::unique_ptr<icu::RegexPattern> compiled = compiledSearchExpression(regex))
        appendRangedCaptureGroups(*compiled, text, 0, text.size(), found);
    return found;
}

QList<CaptureTexts> captureGroups(const QString &text, const QString &regex)
{
    QList<CaptureTexts> groups;
    const QList<RangedCaptureTexts> found = rangedCaptureGroups(text, regex);
    groups.reserve(found.size());
    for (const RangedCaptureTexts &match : found)
        groups.append(match.groups);
    return groups;
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

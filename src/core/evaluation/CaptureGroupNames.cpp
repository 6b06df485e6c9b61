#include "core/evaluation/CaptureGroupNames.h"

#include "core/evaluation/RegularExpression.h"

#include <memory>

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QStringList CaptureGroupNames::of(const icu::RegexPattern &pattern)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(status));
    if (U_FAILURE(status))
        return {};
    QStringList names(matcher->groupCount() + 1);

    const QString text = RegularExpression::patternText(pattern);
    for (qsizetype opener = text.indexOf(u"(?<"); opener >= 0; opener = text.indexOf(u"(?<", opener + 1)) {
        const qsizetype start = opener + 3;
        qsizetype end = start;
        if (end >= text.size() || !isAsciiLetter(text.at(end)))
            continue;
        while (end < text.size() && (isAsciiLetter(text.at(end)) || isAsciiDigit(text.at(end))))
            ++end;
        if (end >= text.size() || text.at(end) != u'>')
            continue;
        const QStringView name = QStringView(text).sliced(start, end - start);
        status = U_ZERO_ERROR;
        const int32_t group = pattern.groupNumberFromName(
            icu::UnicodeString(false, reinterpret_cast<const UChar *>(name.utf16()), int32_t(name.size())), status);
        if (U_SUCCESS(status) && group > 0 && group < names.size())
            names[group] = name.toString();
    }
    return names;
}

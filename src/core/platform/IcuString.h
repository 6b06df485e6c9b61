#pragma once

#include <QString>
#include <QStringView>

#include <unicode/unistr.h>

#include <cstdint>
#include <limits>
#include <optional>

// The one crossing between Qt's strings and ICU's; both are UTF-16, so nothing is converted. ICU counts in int32_t
// where a QString counts in qsizetype: a longer text gets no ICU string at all, never one cut to a wrapped length.
class IcuString final
{
public:
    static constexpr qsizetype maximumLength = std::numeric_limits<int32_t>::max();

    static bool fits(QStringView text) { return text.size() <= maximumLength; }

    // A read-only alias of the text, no copy: the text must outlive it and whatever holds it (a matcher, an
    // iterator). None when the text is too long for ICU.
    static std::optional<icu::UnicodeString> alias(QStringView text);
    // An alias of a temporary would dangle at once.
    static std::optional<icu::UnicodeString> alias(QString &&) = delete;

    // The units as they are, valid while the ICU string is unchanged. ICU's length always fits a QString; a bogus
    // string (a failed allocation) reads as empty.
    static QStringView view(const icu::UnicodeString &text);
    static QString toQString(const icu::UnicodeString &text) { return view(text).toString(); }
};

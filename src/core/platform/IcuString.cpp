#include "core/platform/IcuString.h"

std::optional<icu::UnicodeString> IcuString::alias(QStringView text)
{
    if (!fits(text))
        return std::nullopt;
    return icu::UnicodeString(false, text.utf16(), int32_t(text.size()));
}

QStringView IcuString::view(const icu::UnicodeString &text)
{
    // A bogus string has no buffer and a length of 0.
    return QStringView(text.getBuffer(), text.length());
}

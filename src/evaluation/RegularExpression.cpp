#include "evaluation/RegularExpression.h"

#include "settings/UserDefaults.h"

uint32_t RegularExpression::engineFlags(int options)
{
    uint32_t flags = 0;
    if (options & caseInsensitiveOption)
        flags |= UREGEX_CASE_INSENSITIVE;
    if (options & allowCommentsAndWhitespaceOption)
        flags |= UREGEX_COMMENTS;
    if (options & anchorsMatchLinesOption)
        flags |= UREGEX_MULTILINE;
    return flags;
}

RegularExpression::CompileResult RegularExpression::compile(const QString &pattern, int options)
{
    const icu::UnicodeString source(reinterpret_cast<const UChar *>(pattern.utf16()), int32_t(pattern.size()));
    UParseError parseError {};
    UErrorCode status = U_ZERO_ERROR;
    std::shared_ptr<const icu::RegexPattern> compiled(
        icu::RegexPattern::compile(source, engineFlags(options), parseError, status));
    if (U_FAILURE(status) || !compiled)
        return { nullptr,
                 Error { QString::fromLatin1(u_errorName(status)), int(parseError.line), int(parseError.offset) } };
    return { std::move(compiled), std::nullopt };
}

QString RegularExpression::patternText(const icu::RegexPattern &pattern)
{
    const icu::UnicodeString text = pattern.pattern();
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

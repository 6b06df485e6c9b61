#include "core/evaluation/RegularExpression.h"

#include "core/platform/IcuString.h"

#include <utility>

namespace {

bool isEngineLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar(0x85) || c == QChar(0x2028);
}

// The engine's line and offset as a UTF-16 index into the pattern.
qsizetype positionOf(QStringView pattern, int line, int offset)
{
    if (line < 1 || offset < 0)
        return -1;
    qsizetype index = 0;
    for (int l = 1; l < line && index < pattern.size(); ++l) {
        while (index < pattern.size() && !isEngineLineBreak(pattern[index]))
            ++index;
        if (index < pattern.size()) {
            const bool crlf = pattern[index] == u'\r' && index + 1 < pattern.size() && pattern[index + 1] == u'\n';
            index += crlf ? 2 : 1;
        }
    }
    // The offset counts the character it stopped at; step to its start.
    for (int column = 1; column < offset && index < pattern.size() && !isEngineLineBreak(pattern[index]); ++column)
        index += pattern[index].isHighSurrogate() && index + 1 < pattern.size() ? 2 : 1;
    return index;
}

icu::RegexPattern *compiled(const QString &pattern, uint32_t flags, UParseError &parseError, UErrorCode &status)
{
    // The engine keeps its own copy of the pattern.
    const std::optional<icu::UnicodeString> source = IcuString::alias(pattern);
    if (!source) {
        status = U_REGEX_PATTERN_TOO_BIG;
        return nullptr;
    }
    return icu::RegexPattern::compile(*source, flags, parseError, status);
}

// Compiling a pattern once more takes some 130 ms per MB on the interface thread; a short one is done in no time.
constexpr qsizetype recompiledPatternLength = 10'000;

enum class Parenthesis { unclosed, stray, unknown };

// The engine names a stray ")" and an unclosed "(" alike. A stray one is reported where it stands; an unclosed group
// only at the end. A ")" at the very end can be either: with one more ")" appended, the report of a stray one stays
// in place, that of an unclosed group moves.
Parenthesis mismatchedParenthesis(const QString &pattern, uint32_t flags, const UParseError &where, qsizetype position)
{
    const qsizetype last = pattern.size() - 1;
    if (position < 0)
        return Parenthesis::unknown;
    if (position > last || pattern[position] != u')')
        return Parenthesis::unclosed;
    if (position < last)
        return Parenthesis::stray;
    if (pattern.size() > recompiledPatternLength)
        return Parenthesis::unknown;
    UParseError parseError {};
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexPattern> closed(compiled(pattern + u')', flags, parseError, status));
    const bool stays
        = status == U_REGEX_MISMATCHED_PAREN && parseError.line == where.line && parseError.offset == where.offset;
    return stays ? Parenthesis::stray : Parenthesis::unclosed;
}

QString compileErrorReason(UErrorCode status, Parenthesis parenthesis)
{
    switch (status) {
    case U_REGEX_MISMATCHED_PAREN:
        switch (parenthesis) {
        case Parenthesis::stray:
            //: Why a pattern is invalid
            return RegularExpression::tr("unmatched closing parenthesis");
        case Parenthesis::unclosed:
            //: Why a pattern is invalid
            return RegularExpression::tr("a parenthesis is not closed");
        case Parenthesis::unknown:
            break;
        }
        //: Why a pattern is invalid
        return RegularExpression::tr("the parentheses do not pair up");
    case U_REGEX_MISSING_CLOSE_BRACKET:
        //: Why a pattern is invalid
        return RegularExpression::tr("a character class is not closed with \"]\"");
    case U_REGEX_RULE_SYNTAX:
        //: Why a pattern is invalid: e.g. "*" with nothing to repeat, "(?z)"
        return RegularExpression::tr("this is not valid syntax here");
    case U_REGEX_BAD_ESCAPE_SEQUENCE:
        //: Why a pattern is invalid
        return RegularExpression::tr("unknown or incomplete backslash escape");
    case U_REGEX_PROPERTY_SYNTAX:
        //: Why a pattern is invalid: e.g. \p{Foo}
        return RegularExpression::tr("unknown or malformed Unicode property");
    case U_REGEX_UNIMPLEMENTED:
        //: Why a pattern is invalid
        return RegularExpression::tr("this feature is not supported");
    case U_REGEX_NUMBER_TOO_BIG:
        //: Why a pattern is invalid
        return RegularExpression::tr("the number is too large");
    case U_REGEX_BAD_INTERVAL:
        //: Why a pattern is invalid: a malformed {min,max}
        return RegularExpression::tr("malformed repetition count in braces");
    case U_REGEX_MAX_LT_MIN:
        //: Why a pattern is invalid
        return RegularExpression::tr("in {min,max} the maximum is less than the minimum");
    case U_REGEX_INVALID_BACK_REF:
        //: Why a pattern is invalid
        return RegularExpression::tr("back reference to a group that does not exist");
    case U_REGEX_INVALID_FLAG:
        //: Why a pattern is invalid: e.g. (?z)
        return RegularExpression::tr("unknown mode flag");
    case U_REGEX_LOOK_BEHIND_LIMIT:
        //: Why a pattern is invalid
        return RegularExpression::tr("a look-behind must have a bounded length");
    case U_REGEX_SET_CONTAINS_STRING:
        //: Why a pattern is invalid
        return RegularExpression::tr("a character class cannot contain strings");
    case U_REGEX_INVALID_RANGE:
        //: Why a pattern is invalid: e.g. [z-a]
        return RegularExpression::tr("a range in a character class runs backwards");
    case U_REGEX_PATTERN_TOO_BIG:
        //: Why a pattern is invalid
        return RegularExpression::tr("the pattern is too large or complex");
    case U_REGEX_INVALID_CAPTURE_GROUP_NAME:
        //: Why a pattern is invalid: e.g. \k<x> without such a group, or a name used twice
        return RegularExpression::tr("unknown, repeated or malformed group name");
    case U_ILLEGAL_CHAR_FOUND:
        //: Why a pattern is invalid: e.g. \N{NO SUCH NAME}
        return RegularExpression::tr("unknown character name");
    case U_MEMORY_ALLOCATION_ERROR:
        //: Why a pattern is invalid
        return RegularExpression::tr("not enough memory to compile it");
    default:
        //: Why a pattern is invalid, when the engine gives no known reason
        return RegularExpression::tr("the engine rejects it");
    }
}

} // namespace

uint32_t RegularExpression::engineFlags(RegularExpressionOptions options)
{
    constexpr std::pair<RegularExpressionOption, uint32_t> engineFlag[] = {
        {caseInsensitiveOption, UREGEX_CASE_INSENSITIVE}, {allowCommentsAndWhitespaceOption, UREGEX_COMMENTS},
        {patternIsLiteralOption, UREGEX_LITERAL},         {dotMatchesLineSeparatorsOption, UREGEX_DOTALL},
        {anchorsMatchLinesOption, UREGEX_MULTILINE},      {unixLineSeparatorsOption, UREGEX_UNIX_LINES},
        {unicodeWordBoundariesOption, UREGEX_UWORD},
    };
    uint32_t flags = 0;
    for (const auto &[option, flag] : engineFlag) {
        if (options.testFlag(option))
            flags |= flag;
    }
    return flags;
}

RegularExpression::CompileResult RegularExpression::compile(const QString &pattern, RegularExpressionOptions options)
{
    const uint32_t flags = engineFlags(options);
    UParseError parseError {};
    UErrorCode status = U_ZERO_ERROR;
    std::shared_ptr<const icu::RegexPattern> compiledPattern(compiled(pattern, flags, parseError, status));
    if (U_SUCCESS(status) && compiledPattern)
        return {std::move(compiledPattern), std::nullopt};

    if (U_SUCCESS(status))
        status = U_MEMORY_ALLOCATION_ERROR;
    Error error;
    error.message = QString::fromLatin1(u_errorName(status));
    error.line = int(parseError.line);
    error.offset = int(parseError.offset);
    error.code = status;
    error.position = positionOf(pattern, error.line, error.offset);
    const Parenthesis parenthesis = status == U_REGEX_MISMATCHED_PAREN
        ? mismatchedParenthesis(pattern, flags, parseError, error.position)
        : Parenthesis::unknown;
    error.reason = compileErrorReason(status, parenthesis);
    return {nullptr, std::move(error)};
}

QString RegularExpression::patternText(const icu::RegexPattern &pattern)
{
    return IcuString::toQString(pattern.pattern());
}

QString RegularExpression::matchingFailureReason(UErrorCode status)
{
    switch (status) {
    case U_REGEX_STACK_OVERFLOW:
        //: Why matching failed
        return tr("the pattern needs more backtracking memory than the backtrack stack limit allows");
    case U_REGEX_TIME_OUT:
        //: Why matching failed
        return tr("the engine's time limit ran out");
    case U_MEMORY_ALLOCATION_ERROR:
        //: Why matching failed
        return tr("the engine ran out of memory");
    case U_INDEX_OUTOFBOUNDS_ERROR:
        //: Why matching failed: beyond the engine's 32-bit offsets
        return tr("the text is too long for the engine");
    default:
        //: Why matching failed, when the engine gives no known reason
        return tr("the engine reported an error");
    }
}

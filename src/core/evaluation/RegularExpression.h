#pragma once

#include <QCoreApplication>
#include <QFlags>
#include <QString>

#include <memory>
#include <optional>

#include <unicode/regex.h>

// Compile options of a pattern; the editor sums the switches the user has on. The values are those of the original
// matching options, so that sums written by earlier versions keep their meaning.
enum RegularExpressionOption : int {
    caseInsensitiveOption = 1,
    allowCommentsAndWhitespaceOption = 2,
    patternIsLiteralOption = 4,
    dotMatchesLineSeparatorsOption = 8,
    anchorsMatchLinesOption = 16,
    unixLineSeparatorsOption = 32,
    unicodeWordBoundariesOption = 64,
};
Q_DECLARE_FLAGS(RegularExpressionOptions, RegularExpressionOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(RegularExpressionOptions)

// Compiles patterns for evaluation. Compiling is the only engine work done on the main thread.
class RegularExpression final
{
    Q_DECLARE_TR_FUNCTIONS(RegularExpression)

public:
    struct Error
    {
        QString message; // the engine's name for the error, e.g. "U_REGEX_MISSING_CLOSE_BRACKET"
        // As the engine counts them: line from 1, broken by CR, LF, CR LF, NEL and LS; offset the number of code
        // points read on that line, so the column of the character it stopped at. Line 0 when it gives no place.
        int line = 0;
        int offset = 0;
        UErrorCode code = U_ZERO_ERROR;
        // The UTF-16 index in the pattern of that character; the pattern's length when the engine stopped at the
        // start of an empty last line; -1 when it gives no place.
        qsizetype position = -1;
        // What is wrong, in a short phrase for the user, e.g. "a parenthesis is not closed".
        QString reason;
    };

    // Exactly one of pattern and error is set.
    struct CompileResult
    {
        std::shared_ptr<const icu::RegexPattern> pattern;
        std::optional<Error> error;

        bool isValid() const { return pattern != nullptr; }
    };

    RegularExpression() = delete;

    // Engine flags for the options; other bits are ignored.
    static uint32_t engineFlags(RegularExpressionOptions options);
    static CompileResult compile(const QString &pattern, RegularExpressionOptions options);
    static QString patternText(const icu::RegexPattern &pattern);
    // Why a search ended early, in a short phrase for the user, e.g. "the engine ran out of memory".
    static QString matchingFailureReason(UErrorCode status);

    // The engine skips positions that cannot start a match at 1 to 4 ns each, calling nothing but the find callback,
    // and that call makes such a skip two to four times slower, also when the callback does nothing. So a search calls
    // it at every position only while more than this many UTF-16 units are left: texts up to some 30 million units
    // are searched at the engine's own speed, and a stop waits at most for a skip over the rest, about 30 to 130 ms.
    // A runaway attempt is stopped within moments anywhere: the match callback covers it.
    static constexpr qsizetype unwatchedSkipLength = qsizetype(32) << 20;
};

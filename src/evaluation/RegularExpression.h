#pragma once

#include <QString>

#include <memory>
#include <optional>

#include <unicode/regex.h>

// Compiles patterns for evaluation. Compiling is the only engine work done on the main thread.
class RegularExpression final
{
public:
    struct Error
    {
        QString message; // the engine's name for the error, e.g. "U_REGEX_MISSING_CLOSE_BRACKET"
        int line = 0;
        int offset = 0;
    };

    // Exactly one of pattern and error is set.
    struct CompileResult
    {
        std::shared_ptr<const icu::RegexPattern> pattern;
        std::optional<Error> error;

        bool isValid() const { return pattern != nullptr; }
    };

    RegularExpression() = delete;

    // Engine flags for a sum of RegularExpressionOption values; other bits are ignored.
    static uint32_t engineFlags(int options);
    static CompileResult compile(const QString &pattern, int options);
    static QString patternText(const icu::RegexPattern &pattern);
};

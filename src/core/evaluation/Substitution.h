#pragma once

#include "core/settings/UserDefaults.h"

#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <optional>

#include <unicode/regex.h>

// The text with every match of a pattern replaced by a template in ICU's replacement syntax: "$n" (taking as many
// digits as still name a group of the pattern), "${name}", and a backslash that makes the next character literal
// ("\$", "\\"). The engine does the replacing; the template is checked first, so that a mistake in it is reported
// with its own message, also when the text has no match.
//
// Runs on a worker: run() is pure and may run on several threads at once for separate calls.
class Substitution final
{
    Q_DECLARE_TR_FUNCTIONS(Substitution)

public:
    struct Error
    {
        enum class Case {
            // "$3" when the pattern has fewer groups
            groupNumberTooLarge,
            // "${x}" when no group has that name
            unknownGroupName,
            // "${" without a name of ASCII letters and digits and a closing "}"
            malformedGroupName,
            // "$" followed by neither a digit nor "{"
            dollarWithoutGroup,
            // a backslash with nothing after it, which the engine would drop silently
            trailingBackslash,
            // the text is beyond the engine's 32-bit offsets
            textTooLong,
            // the result would pass the limit given to run()
            resultTooLong,
            // the engine stopped matching, e.g. U_REGEX_STACK_OVERFLOW
            matchingFailed,
        };

        Case errorCase = Case::matchingFailed;
        // UTF-16 offset in the template of the "$" or "\" at fault; -1 for the other cases.
        qsizetype position = -1;
        // groupNumberTooLarge: the group referred to and the pattern's number of groups.
        int group = 0;
        int groupCount = 0;
        // unknownGroupName
        QString name;
        // matchingFailed: the engine's status; resultTooLong: see limit
        UErrorCode engineStatus = U_ZERO_ERROR;
        qsizetype limit = 0;

        // An English sentence for the user.
        QString message() const;
        friend bool operator==(const Error &, const Error &) = default;
    };

    struct Outcome
    {
        enum class Status { finished, cancelled, failed };

        Status status = Status::finished;
        // finished: the text with every match replaced
        QString text;
        qsizetype replacements = 0;
        // failed
        std::optional<Error> error;
    };

    // About 512 MB of result; a template copied into millions of empty matches must not exhaust memory.
    static constexpr qsizetype defaultMaximumResultLength = qsizetype(1) << 28;

    Substitution() = delete;

    // Nothing when the template is valid for the pattern. Cheap; fine on the main thread.
    static std::optional<Error> checkTemplate(const icu::RegexPattern &pattern, QStringView replacementTemplate);

    // Checks shouldStop in the engine's callbacks and between matches; a stop gives Status::cancelled. stackLimit:
    // bytes of backtracking memory a match attempt may use, 0 for no limit.
    static Outcome run(const icu::RegexPattern &pattern, const QString &replacementTemplate, const QString &text,
                       const std::atomic<bool> &shouldStop, qsizetype maximumResultLength = defaultMaximumResultLength,
                       int32_t stackLimit = defaultBacktrackStackLimit);
};

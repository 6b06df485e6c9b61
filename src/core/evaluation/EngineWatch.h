#pragma once

#include "core/evaluation/RegularExpression.h"

#include <QtGlobal>

#include <atomic>

#include <unicode/regex.h>

// Lets a stop reach the engine while it searches. Only the match callback is called during a single runaway attempt,
// and its step count runs on across the many short attempts of a scan. It misses the engine skipping positions that
// cannot start a match; the find callback covers those while more than the unwatched length of the text is left, and
// after that once per call of the match callback, which also keeps a progress position moving.
class EngineWatch final
{
    Q_DISABLE_COPY_MOVE(EngineWatch)

public:
    // Installs the callbacks on matcher, whose searches must end before the watch does. searchedLength, if given,
    // follows where the engine tries next.
    EngineWatch(icu::RegexMatcher &matcher, const std::atomic<bool> &shouldStop, qsizetype textLength,
                UErrorCode &status, std::atomic<qsizetype> *searchedLength = nullptr,
                qsizetype unwatchedSkipLength = RegularExpression::unwatchedSkipLength);

private:
    static UBool U_CALLCONV continueFinding(const void *context, int64_t position);
    static UBool U_CALLCONV continueMatching(const void *context, int32_t steps);

    icu::RegexMatcher &m_matcher;
    const std::atomic<bool> &m_shouldStop;
    std::atomic<qsizetype> *m_searchedLength;
    // Up to here the find callback is called at every position.
    qsizetype m_findCallbackStaysUntil;
};

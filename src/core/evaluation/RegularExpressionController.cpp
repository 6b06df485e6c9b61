#include "core/evaluation/RegularExpressionController.h"

#include "core/evaluation/EngineWatch.h"
#include "core/platform/IcuString.h"

#include <QElapsedTimer>

#include <optional>

RegularExpressionController::RegularExpressionController(Pattern regularExpression, QString text)
    : m_regularExpression(std::move(regularExpression))
    , m_text(std::move(text))
{
}

bool RegularExpressionController::run(const std::atomic<bool> &shouldStop)
{
    if (shouldStop)
        return false;
    QElapsedTimer timer;
    timer.start();
    // The editor's empty text never asks the engine for the groups: its results keep one range per match.
    const bool finished = (m_text.isEmpty() && m_mode == Mode::shownMatches) || match(shouldStop);
    m_duration = std::chrono::nanoseconds(timer.nsecsElapsed());
    return finished;
}

bool RegularExpressionController::match(const std::atomic<bool> &shouldStop)
{
    // An alias of the text, not a copy: m_text outlives the matcher.
    const std::optional<icu::UnicodeString> input = IcuString::alias(m_text);
    if (!input) {
        m_matchingError = U_INDEX_OUTOFBOUNDS_ERROR;
        return true;
    }
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(m_regularExpression->matcher(*input, status));
    std::optional<EngineWatch> watch;
    if (U_SUCCESS(status)) {
        m_results = MatchResults(matcher->groupCount() + 1);
        matcher->setStackLimit(m_stackLimit, status);
        watch.emplace(*matcher, shouldStop, m_text.size(), status, &m_searchedLength, m_unwatchedSkipLength);
    }
    if (m_mode == Mode::wholeText && U_SUCCESS(status) && matcher->matches(status))
        m_results.appendMatch(*matcher, status);
    while (m_mode != Mode::wholeText && U_SUCCESS(status)) {
        if (shouldStop.load(std::memory_order_relaxed))
            return false;
        if (!matcher->find(status))
            break;
        m_results.appendMatch(*matcher, status);
        // A plain store on the worker's own cache line; the interface reads it a few times a second.
        m_searchedLength.store(matcher->end(status), std::memory_order_relaxed);
    }
    if (status == U_REGEX_STOPPED_BY_CALLER)
        return false;
    if (U_SUCCESS(status) && U_FAILURE(m_injectedMatchingError))
        status = m_injectedMatchingError;
    // Anything else (the backtracking stack is full, say) ends the search where it failed; the owner can tell from
    // matchingError() that the results are partial.
    if (U_FAILURE(status))
        m_matchingError = status;
    return true;
}

#include "core/evaluation/RegularExpressionController.h"

#include "core/evaluation/RegularExpression.h"
#include "core/platform/IcuString.h"

#include <QElapsedTimer>

namespace {

// What the engine's callbacks share with the run; they run on its worker, inside the engine.
struct Search
{
    const std::atomic<bool> *shouldStop;
    std::atomic<qsizetype> *searchedLength;
    icu::RegexMatcher *matcher;
    // Up to here the find callback is called at every position; after it only once per call of the match callback.
    qsizetype findCallbackStaysUntil;
};

UBool U_CALLCONV continueFinding(const void *context, int64_t position)
{
    const Search &search = *static_cast<const Search *>(context);
    search.searchedLength->store(qsizetype(position), std::memory_order_relaxed);
    if (position >= search.findCallbackStaysUntil) {
        UErrorCode status = U_ZERO_ERROR;
        search.matcher->setFindProgressCallback(nullptr, nullptr, status);
    }
    return !search.shouldStop->load(std::memory_order_relaxed);
}

// Called many times per long attempt: a load and two stores.
UBool U_CALLCONV continueMatching(const void *context, int32_t)
{
    const Search &search = *static_cast<const Search *>(context);
    // One call of the find callback per some 10,000 steps tells where the engine tries next, so that the progress
    // moves also while a slow search finds nothing, at no cost to a fast one.
    UErrorCode status = U_ZERO_ERROR;
    search.matcher->setFindProgressCallback(&continueFinding, context, status);
    return !search.shouldStop->load(std::memory_order_relaxed);
}

} // namespace

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
    const Search search {&shouldStop, &m_searchedLength, matcher.get(), m_text.size() - m_unwatchedSkipLength};
    if (U_SUCCESS(status)) {
        m_results = MatchResults(matcher->groupCount() + 1);
        // Only the match callback is called during a single runaway attempt, and its step count runs on across the
        // many short attempts of a scan. It misses the engine skipping positions that cannot start a match; the find
        // callback covers those while the rest of the text is long.
        matcher->setStackLimit(m_stackLimit, status);
        matcher->setMatchCallback(&continueMatching, &search, status);
        if (search.findCallbackStaysUntil > 0)
            matcher->setFindProgressCallback(&continueFinding, &search, status);
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

#include "core/evaluation/EngineWatch.h"

EngineWatch::EngineWatch(icu::RegexMatcher &matcher, const std::atomic<bool> &shouldStop, qsizetype textLength,
                         UErrorCode &status, std::atomic<qsizetype> *searchedLength, qsizetype unwatchedSkipLength)
    : m_matcher(matcher)
    , m_shouldStop(shouldStop)
    , m_searchedLength(searchedLength)
    , m_findCallbackStaysUntil(textLength - unwatchedSkipLength)
{
    m_matcher.setMatchCallback(&continueMatching, this, status);
    if (m_findCallbackStaysUntil > 0)
        m_matcher.setFindProgressCallback(&continueFinding, this, status);
}

UBool U_CALLCONV EngineWatch::continueFinding(const void *context, int64_t position)
{
    const EngineWatch &watch = *static_cast<const EngineWatch *>(context);
    if (watch.m_searchedLength)
        watch.m_searchedLength->store(qsizetype(position), std::memory_order_relaxed);
    if (position >= watch.m_findCallbackStaysUntil) {
        UErrorCode status = U_ZERO_ERROR;
        watch.m_matcher.setFindProgressCallback(nullptr, nullptr, status);
    }
    return !watch.m_shouldStop.load(std::memory_order_relaxed);
}

// Called many times per long attempt: a load and two stores.
UBool U_CALLCONV EngineWatch::continueMatching(const void *context, int32_t)
{
    const EngineWatch &watch = *static_cast<const EngineWatch *>(context);
    // One call of the find callback per some 10,000 steps tells where the engine tries next, at no cost to a fast
    // search.
    UErrorCode status = U_ZERO_ERROR;
    watch.m_matcher.setFindProgressCallback(&continueFinding, context, status);
    return !watch.m_shouldStop.load(std::memory_order_relaxed);
}

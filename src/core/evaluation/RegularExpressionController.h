#pragma once

#include "core/evaluation/MatchResults.h"
#include "core/evaluation/RegularExpression.h"
#include "core/settings/UserDefaults.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <memory>

#include <unicode/regex.h>

// One evaluation of a compiled pattern against one text: every match in order of discovery, how far the search has
// come, and why it ended early when it did. Made for one run; its owner hands run() to a worker (through an
// EvaluationScheduler) and reads the outcome on the main thread once the run has been reported.
class RegularExpressionController final
{
public:
    using Pattern = std::shared_ptr<const icu::RegexPattern>;

    enum class Mode {
        // Every match, as the editor shows them; an empty text shows none, so the engine is not asked.
        shownMatches,
        // Every match the engine finds, also in an empty text.
        everyMatch,
        // The one match of the whole text, as the engine's matches() decides: it may backtrack into a longer
        // alternative where a search takes the first that fits.
        wholeText,
    };

    RegularExpressionController(Pattern regularExpression, QString text);
    Q_DISABLE_COPY_MOVE(RegularExpressionController)

    // On a worker, once. Searches the whole text, or until shouldStop turns true: then false, and what it found is
    // not all there is.
    bool run(const std::atomic<bool> &shouldStop);

    const QString &text() const { return m_text; }
    // How far the run has come through text(), in UTF-16 units: the end of the last match found, or where the engine
    // tries next once the search has run long or the text is long. Any thread; only grows during a run.
    qsizetype searchedLength() const { return m_searchedLength.load(std::memory_order_relaxed); }
    // The matches of a run that went to its end. Read them once the run is over.
    const MatchResults &results() const { return m_results; }
    // Why a finished run ended early, e.g. U_REGEX_STACK_OVERFLOW; U_ZERO_ERROR when it searched the whole text.
    // The results are then the matches found up to that point.
    UErrorCode matchingError() const { return m_matchingError; }
    // How long the search took on its worker, without the wait for one. Read it once the run is over.
    std::chrono::nanoseconds duration() const { return m_duration; }
    // Bytes of backtracking memory a match attempt may use, 0 for no limit; more ends the run with
    // U_REGEX_STACK_OVERFLOW. Set before run().
    int32_t stackLimit() const { return m_stackLimit; }
    void setStackLimit(int32_t bytes) { m_stackLimit = bytes; }
    // For tests of failures that cannot be caused on demand (U_MEMORY_ALLOCATION_ERROR, U_REGEX_TIME_OUT): a search
    // that would have ended well ends with this status instead, keeping its matches. Set before run().
    void setInjectedMatchingError(UErrorCode status) { m_injectedMatchingError = status; }
    // Set before run().
    void setMode(Mode mode) { m_mode = mode; }
    // For tests of long texts without tens of megabytes: how much of the text's end the engine skips unwatched.
    // Set before run().
    void setUnwatchedSkipLength(qsizetype length) { m_unwatchedSkipLength = length; }

private:
    bool match(const std::atomic<bool> &shouldStop);

    const Pattern m_regularExpression;
    const QString m_text;
    std::atomic<qsizetype> m_searchedLength = 0;
    MatchResults m_results;
    UErrorCode m_matchingError = U_ZERO_ERROR;
    std::chrono::nanoseconds m_duration {0};
    int32_t m_stackLimit = defaultBacktrackStackLimit;
    UErrorCode m_injectedMatchingError = U_ZERO_ERROR;
    Mode m_mode = Mode::shownMatches;
    qsizetype m_unwatchedSkipLength = RegularExpression::unwatchedSkipLength;
};

#pragma once

#include "core/evaluation/MatchResults.h"
#include "core/settings/UserDefaults.h"

#include <QSemaphore>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

#include <unicode/regex.h>

class RegularExpressionControllerDelegate;

// Runs one evaluation of a compiled pattern against one text on an EvaluationThreadPool worker and tells its
// delegate on the main thread. One controller serves one run; the owner makes a new one for every evaluation.
//
// Stopping: stopEvaluation() must be called off the main thread, because the finish notification makes the worker
// wait for the main thread. It sets the stop flag, waits until the run (if any) has delivered its closing
// notification, and then queues its completion to the main thread, so the completion always runs, and always after
// that notification:
// - a stop before the worker has begun the run makes it end at once: start, then cancel;
// - a stop before startEvaluation() leaves the controller without a run: the completion is queued at once and a later
//   startEvaluation() does nothing;
// - a stop after the run has ended returns at once and queues its completion.
// While an earlier request's completion is still to run, a further request returns at once and drops its own
// completion: that earlier completion runs on the main thread after the further request was made, so it already sees
// the newest input, and one re-evaluation per burst of requests is enough. No request ever waits for another.
class RegularExpressionController final : public std::enable_shared_from_this<RegularExpressionController>
{
    struct PrivateTag
    {
    };

public:
    using Pattern = std::shared_ptr<const icu::RegexPattern>;

    static std::shared_ptr<RegularExpressionController> create(const Pattern &regularExpression, const QString &text);
    RegularExpressionController(PrivateTag, const Pattern &regularExpression, const QString &text);
    ~RegularExpressionController();
    Q_DISABLE_COPY_MOVE(RegularExpressionController)

    // Main thread only. Not owned; released once the run has delivered its closing notification.
    RegularExpressionControllerDelegate *delegate() const { return m_delegate; }
    void setDelegate(RegularExpressionControllerDelegate *delegate) { m_delegate = delegate; }

    // Main thread. Does nothing when the compiled pattern is gone, when stopped before, or when called again.
    void startEvaluation();
    void stopEvaluation(std::function<void()> completion);

    const QString &text() const { return m_text; }
    // How far the run has come through text(), in UTF-16 units: the end of the last match found, or where the engine
    // tries next once the search has run long or the text is long. Any thread; only grows during a run.
    qsizetype searchedLength() const { return m_searchedLength.load(std::memory_order_relaxed); }
    bool isWorking() const { return m_isWorking; }
    // Why a finished run ended early, e.g. U_REGEX_STACK_OVERFLOW; U_ZERO_ERROR when it searched the whole text.
    // The results delivered are the matches found up to that point. Read it in or after the finish notification.
    UErrorCode matchingError() const { return m_matchingError; }
    // Bytes of backtracking memory a match attempt may use, 0 for no limit; more ends the run with
    // U_REGEX_STACK_OVERFLOW. Set before startEvaluation().
    int32_t stackLimit() const { return m_stackLimit; }
    void setStackLimit(int32_t bytes) { m_stackLimit = bytes; }
    // For tests of failures that cannot be caused on demand (U_MEMORY_ALLOCATION_ERROR, U_REGEX_TIME_OUT): a search
    // that would have ended well ends with this status instead, keeping its matches. Set before startEvaluation().
    void setInjectedMatchingError(UErrorCode status) { m_injectedMatchingError = status; }
    // "[RegExprCtrlr: 0x…]   'pattern'"
    QString debugDescription() const;

private:
    enum class RunState { notStarted, scheduled, noRun };
    enum class Outcome { finished, cancelled };
    class LiveRuns;

    void run(const Pattern &pattern);
    Outcome match(const icu::RegexPattern &pattern, MatchResults &results);
    void deliverFinish(MatchResults results);
    void postToMainThread(std::function<void()> function);

    RegularExpressionControllerDelegate *m_delegate = nullptr;
    std::atomic<bool> m_isWorking = false;
    std::weak_ptr<const icu::RegexPattern> m_regularExpression;
    const QString m_text;
    std::atomic<bool> m_shouldStop = false;
    std::atomic<qsizetype> m_searchedLength = 0;
    QSemaphore m_semaphore; // released once when the run ends, and handed on by every stop request that waits
    std::atomic<RunState> m_runState = RunState::notStarted;
    std::atomic<bool> m_completionPending = false;
    QSemaphore m_delivered; // the finish notification has returned on the main thread, or the application is closing
    UErrorCode m_matchingError = U_ZERO_ERROR;
    int32_t m_stackLimit = defaultBacktrackStackLimit;
    UErrorCode m_injectedMatchingError = U_ZERO_ERROR;
};

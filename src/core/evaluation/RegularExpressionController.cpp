#include "core/evaluation/RegularExpressionController.h"

#include "core/evaluation/EvaluationThreadPool.h"
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/RegularExpressionControllerDelegate.h"
#include "core/platform/IcuString.h"

#include <QCoreApplication>
#include <QMutex>
#include <QSet>
#include <QThread>
#include <QThreadPool>

namespace {

// What the engine's callbacks share with the run; they run on its worker, inside the engine.
struct Search
{
    const std::atomic<bool> *shouldStop;
    std::atomic<qsizetype> *searchedLength;
    icu::RegexMatcher *matcher;
    bool findCallbackStays;
};

// Texts up to this many UTF-16 units are searched without the find callback at every position.
constexpr qsizetype findCallbackLength = qsizetype(2) << 20;

UBool U_CALLCONV continueFinding(const void *context, int64_t position)
{
    const Search &search = *static_cast<const Search *>(context);
    search.searchedLength->store(qsizetype(position), std::memory_order_relaxed);
    if (!search.findCallbackStays) {
        UErrorCode status = U_ZERO_ERROR;
        search.matcher->setFindProgressCallback(nullptr, nullptr, status);
    }
    return !search.shouldStop->load(std::memory_order_relaxed);
}

// Called many times per long attempt: a load and two stores.
UBool U_CALLCONV continueMatching(const void *context, int32_t)
{
    const Search &search = *static_cast<const Search *>(context);
    if (!search.findCallbackStays) {
        // One call of the find callback per some 10,000 steps tells where the engine tries next, so that the
        // progress moves also while a slow search finds nothing, at no cost to a fast one.
        UErrorCode status = U_ZERO_ERROR;
        search.matcher->setFindProgressCallback(&continueFinding, context, status);
    }
    return !search.shouldStop->load(std::memory_order_relaxed);
}

bool isMainThread()
{
    const QCoreApplication *application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

} // namespace

// The application's destructor waits for the global pool. A run still matching then (a runaway pattern) or waiting
// for the main thread to take its results would hang the exit, so the application's post routine stops them all.
class RegularExpressionController::LiveRuns final
{
public:
    static LiveRuns &instance()
    {
        static LiveRuns liveRuns;
        return liveRuns;
    }

    // False once the application is closing: the run must not start.
    bool add(RegularExpressionController *controller)
    {
        const QMutexLocker locker(&m_mutex);
        if (m_closing)
            return false;
        m_runs.insert(controller);
        return true;
    }

    void remove(RegularExpressionController *controller)
    {
        const QMutexLocker locker(&m_mutex);
        m_runs.remove(controller);
    }

private:
    LiveRuns() { qAddPostRoutine(&LiveRuns::stopAll); }

    static void stopAll()
    {
        LiveRuns &liveRuns = instance();
        {
            const QMutexLocker locker(&liveRuns.m_mutex);
            liveRuns.m_closing = true;
            for (RegularExpressionController *controller : std::as_const(liveRuns.m_runs)) {
                controller->m_shouldStop = true;
                controller->m_delivered.release();
            }
        }
        // The stopped runs end within milliseconds; let them before the process tears down what they use.
        EvaluationThreadPool::instance()->waitForDone(2000);
    }

    QMutex m_mutex;
    QSet<RegularExpressionController *> m_runs;
    bool m_closing = false;
};

std::shared_ptr<RegularExpressionController> RegularExpressionController::create(const Pattern &regularExpression,
                                                                                 const QString &text)
{
    return std::make_shared<RegularExpressionController>(PrivateTag {}, regularExpression, text);
}

RegularExpressionController::RegularExpressionController(PrivateTag, const Pattern &regularExpression,
                                                         const QString &text)
    : m_regularExpression(regularExpression)
    , m_text(text)
{
}

RegularExpressionController::~RegularExpressionController() = default;

void RegularExpressionController::startEvaluation()
{
    Q_ASSERT(isMainThread());
    Pattern pattern = m_regularExpression.lock();
    RunState expected = RunState::notStarted;
    if (!pattern) {
        m_runState.compare_exchange_strong(expected, RunState::noRun);
        return;
    }
    if (!m_runState.compare_exchange_strong(expected, RunState::scheduled))
        return;
    LiveRuns::instance();
    EvaluationThreadPool::instance()->start(
        [self = shared_from_this(), pattern = std::move(pattern)] { self->run(pattern); });
}

void RegularExpressionController::stopEvaluation(std::function<void()> completion)
{
    Q_ASSERT_X(!isMainThread(), "RegularExpressionController::stopEvaluation", "called on the main thread");
    if (isMainThread()) {
        // Waiting here would block the main thread that the finish notification needs.
        EvaluationThreadPool::instance()->start(
            [self = shared_from_this(), completion = std::move(completion)] { self->stopEvaluation(completion); });
        return;
    }

    m_shouldStop = true;
    RunState expected = RunState::notStarted;
    m_runState.compare_exchange_strong(expected, RunState::noRun);
    if (m_completionPending.exchange(true))
        return;
    if (m_runState == RunState::scheduled) {
        m_semaphore.acquire();
        m_semaphore.release();
    }
    postToMainThread([self = shared_from_this(), completion = std::move(completion)] {
        self->m_completionPending = false;
        if (completion)
            completion();
    });
}

QString RegularExpressionController::debugDescription() const
{
    const Pattern pattern = m_regularExpression.lock();
    return QStringLiteral("[RegExprCtrlr: 0x") + QString::number(quintptr(this), 16) + QStringLiteral("]   '")
        + (pattern ? RegularExpression::patternText(*pattern) : QString()) + QLatin1Char('\'');
}

void RegularExpressionController::run(const Pattern &pattern)
{
    LiveRuns &liveRuns = LiveRuns::instance();
    if (liveRuns.add(this)) {
        m_isWorking = true;
        const std::shared_ptr<RegularExpressionController> self = shared_from_this();
        postToMainThread([self] {
            if (self->m_delegate)
                self->m_delegate->regularExpressionControllerDidStartEvaluating(self.get());
        });

        MatchResults results;
        Outcome outcome = Outcome::finished;
        if (m_shouldStop)
            outcome = Outcome::cancelled;
        else if (!m_text.isEmpty())
            outcome = match(*pattern, results);

        if (outcome == Outcome::cancelled) {
            postToMainThread([self] {
                if (self->m_delegate)
                    self->m_delegate->regularExpressionControllerDidCancelEvaluating(self.get());
                self->m_delegate = nullptr;
            });
        } else {
            deliverFinish(std::move(results));
        }
        m_isWorking = false;
        liveRuns.remove(this);
    }
    m_semaphore.release();
}

RegularExpressionController::Outcome RegularExpressionController::match(const icu::RegexPattern &pattern,
                                                                        MatchResults &results)
{
    // An alias of the text, not a copy: m_text outlives the matcher.
    const std::optional<icu::UnicodeString> input = IcuString::alias(m_text);
    if (!input) {
        m_matchingError = U_INDEX_OUTOFBOUNDS_ERROR;
        return Outcome::finished;
    }
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(*input, status));
    const Search search {&m_shouldStop, &m_searchedLength, matcher.get(), m_text.size() > findCallbackLength};
    if (U_SUCCESS(status)) {
        results = MatchResults(matcher->groupCount() + 1);
        // Only the match callback is called during a single runaway attempt, and its step count runs on across the
        // many short attempts of a scan. It misses the engine skipping positions that cannot start a match (at most
        // about 3 ns each). The find callback covers those, but costs a call at every position, up to 40 % of a
        // whole search; on a shorter text the skipping ends within a few ms anyway, and the loop below then sees
        // the stop.
        matcher->setStackLimit(m_stackLimit, status);
        matcher->setMatchCallback(&continueMatching, &search, status);
        if (search.findCallbackStays)
            matcher->setFindProgressCallback(&continueFinding, &search, status);
    }
    while (U_SUCCESS(status)) {
        if (m_shouldStop.load(std::memory_order_relaxed))
            return Outcome::cancelled;
        if (!matcher->find(status))
            break;
        results.appendMatch(*matcher, status);
        // A plain store on the worker's own cache line; the interface reads it a few times a second.
        m_searchedLength.store(matcher->end(status), std::memory_order_relaxed);
    }
    if (status == U_REGEX_STOPPED_BY_CALLER)
        return Outcome::cancelled;
    if (U_SUCCESS(status) && U_FAILURE(m_injectedMatchingError))
        status = m_injectedMatchingError;
    // Anything else (the backtracking stack is full, say) ends the search where it failed; the owner can tell from
    // matchingError() that the results are partial.
    if (U_FAILURE(status))
        m_matchingError = status;
    return Outcome::finished;
}

void RegularExpressionController::deliverFinish(MatchResults results)
{
    const std::shared_ptr<RegularExpressionController> self = shared_from_this();
    auto deliver = [self, results = std::move(results)] {
        if (self->m_delegate)
            self->m_delegate->regularExpressionControllerDidFinishEvaluating(self.get(), results);
        self->m_delegate = nullptr;
    };
    if (isMainThread()) {
        deliver();
        return;
    }
    if (!QCoreApplication::instance())
        return;
    // A blocking queued call of our own, so that a closing application can release the wait.
    postToMainThread([self, deliver = std::move(deliver)] {
        deliver();
        self->m_delivered.release();
    });
    m_delivered.acquire();
}

void RegularExpressionController::postToMainThread(std::function<void()> function)
{
    if (QCoreApplication *application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, std::move(function), Qt::QueuedConnection);
}

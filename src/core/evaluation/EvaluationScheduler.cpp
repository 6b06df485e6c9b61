#include "core/evaluation/EvaluationScheduler.h"

#include "core/evaluation/EvaluationThreadPool.h"
#include "core/platform/ThreadHandOff.h"

#include <QCoreApplication>
#include <QPointer>

#include <condition_variable>
#include <mutex>

namespace {

// A run that took no longer than this last time is likely to end within moments again: its end is waited for before
// the window repaints, so that an edit and its results are painted once, together.
constexpr std::chrono::microseconds quickRun {2000};
// How long the interface thread waits for that at most.
constexpr std::chrono::microseconds quickRunWait {4000};

} // namespace

struct EvaluationScheduler::Run
{
    std::atomic<bool> shouldStop = false;
    // Main thread only.
    QPointer<EvaluationScheduler> scheduler;
    bool handled = false;

    std::mutex mutex;
    std::condition_variable ended;
    // Set on the worker under the mutex.
    bool hasEnded = false;
    bool completed = false;
    std::chrono::nanoseconds duration {0};
};

EvaluationScheduler::EvaluationScheduler(Prepare prepare, QObject *parent)
    : QObject(parent)
    , m_prepare(std::move(prepare))
{
    m_budgetTimer.setSingleShot(true);
    // A coarse timer fires up to 5 % early, and a run must have all of its budget.
    m_budgetTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_budgetTimer, &QTimer::timeout, this, [this] {
        // A run already being replaced by newer input is not over budget: the newer one starts its own.
        if (!m_restartPending)
            stop(EvaluationStopReason::timeBudget);
    });
}

EvaluationScheduler::~EvaluationScheduler()
{
    if (m_running)
        m_running->shouldStop = true;
}

void EvaluationScheduler::restart()
{
    // Queued, the wait comes after the edit's own handling and before the low-priority repaint.
    // A run still going after a moment, a runaway say, is no quick one, whatever the last took.
    const bool runningLong = m_running && std::chrono::steady_clock::now() - m_runStarted > quickRun;
    if (m_lastRunDuration <= quickRun && !runningLong && !m_quickRunAwaited) {
        m_quickRunAwaited = true;
        QMetaObject::invokeMethod(this, &EvaluationScheduler::awaitQuickRun, Qt::QueuedConnection);
    }
    if (!m_running) {
        start();
        updateRunning();
        return;
    }
    // A stop on its way no longer stands: the newer input runs instead.
    m_stopReason.reset();
    m_restartPending = true;
    m_overtaken = true;
    m_running->shouldStop = true;
    updateRunning();
}

bool EvaluationScheduler::stop(EvaluationStopReason reason)
{
    if (!isRunning())
        return false;
    // When newer input waits, the stop is for it: it must not run.
    m_restartPending = false;
    m_reportsEnd = true;
    if (!m_stopReason)
        m_stopReason = reason;
    m_running->shouldStop = true;
    return true;
}

void EvaluationScheduler::cancel()
{
    m_restartPending = false;
    m_stopReason.reset();
    if (m_running) {
        m_reportsEnd = false;
        m_running->shouldStop = true;
    }
    updateRunning();
}

void EvaluationScheduler::start()
{
    Work work = m_prepare();
    // Preparing may have restarted already, and that newer run is going.
    if (!work || m_running)
        return;
    m_runStarted = std::chrono::steady_clock::now();
    auto run = std::make_shared<Run>();
    run->scheduler = this;
    m_running = run;
    m_reportsEnd = true;
    if (m_timeBudget > std::chrono::milliseconds::zero())
        m_budgetTimer.start(m_timeBudget);
    EvaluationThreadPool::start(run->shouldStop, [run, work = std::move(work)] {
        const auto start = std::chrono::steady_clock::now();
        const bool completed = work(run->shouldStop);
        {
            const std::lock_guard lock(run->mutex);
            run->hasEnded = true;
            run->completed = completed;
            run->duration = std::chrono::steady_clock::now() - start;
        }
        run->ended.notify_all();
        if (QCoreApplication *application = QCoreApplication::instance()) {
            ThreadHandOff::handOver(
                [application](auto job) {
                    QMetaObject::invokeMethod(application, std::move(job), Qt::QueuedConnection);
                },
                [run] {
                    if (run->scheduler && !run->handled)
                        run->scheduler->runEnded(run);
                });
        }
    });
}

void EvaluationScheduler::awaitQuickRun()
{
    m_quickRunAwaited = false;
    const auto deadline = std::chrono::steady_clock::now() + quickRunWait;
    // A stopped run ends at once, and the newer one it makes way for is waited for too.
    while (m_running) {
        const std::shared_ptr<Run> run = m_running;
        {
            std::unique_lock lock(run->mutex);
            if (!run->ended.wait_until(lock, deadline, [&run] { return run->hasEnded; }))
                return;
        }
        runEnded(run);
    }
}

void EvaluationScheduler::runEnded(const std::shared_ptr<Run> &run)
{
    Q_ASSERT(run == m_running);
    run->handled = true;
    bool completed = false;
    {
        const std::lock_guard lock(run->mutex);
        completed = run->completed;
        // A stopped run says nothing about how long the work takes.
        if (completed)
            m_lastRunDuration = std::chrono::duration_cast<std::chrono::microseconds>(run->duration);
    }
    m_running.reset();
    m_budgetTimer.stop();
    const bool reported = std::exchange(m_reportsEnd, true);
    const bool overtaken = std::exchange(m_overtaken, false);
    const std::optional<EvaluationStopReason> reason = std::exchange(m_stopReason, std::nullopt);
    if (std::exchange(m_restartPending, false)) {
        start();
        updateRunning();
        if (reported)
            Q_EMIT superseded();
        return;
    }
    // Told before the report, so that a receiver that restarts starts at once.
    updateRunning();
    if (!reported)
        return;
    if (completed && !overtaken)
        Q_EMIT finished();
    else
        Q_EMIT stopped(reason.value_or(EvaluationStopReason::user));
}

void EvaluationScheduler::updateRunning()
{
    const bool running = isRunning();
    if (running == m_wasRunning)
        return;
    m_wasRunning = running;
    Q_EMIT runningChanged(running);
}

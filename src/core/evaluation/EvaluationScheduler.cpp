#include "core/evaluation/EvaluationScheduler.h"

#include "core/evaluation/EvaluationThreadPool.h"
#include "core/platform/ThreadHandOff.h"

#include <QCoreApplication>
#include <QPointer>

struct EvaluationScheduler::Run
{
    std::atomic<bool> shouldStop = false;
    // Read on the main thread only.
    QPointer<EvaluationScheduler> scheduler;
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
    auto run = std::make_shared<Run>();
    run->scheduler = this;
    m_running = run;
    m_reportsEnd = true;
    if (m_timeBudget > std::chrono::milliseconds::zero())
        m_budgetTimer.start(m_timeBudget);
    EvaluationThreadPool::start(run->shouldStop, [run, work = std::move(work)] {
        const bool completed = work(run->shouldStop);
        if (QCoreApplication *application = QCoreApplication::instance()) {
            ThreadHandOff::handOver(
                [application](auto job) {
                    QMetaObject::invokeMethod(application, std::move(job), Qt::QueuedConnection);
                },
                [run, completed] {
                    if (run->scheduler)
                        run->scheduler->runEnded(run, completed);
                });
        }
    });
}

void EvaluationScheduler::runEnded(const std::shared_ptr<Run> &run, bool completed)
{
    Q_ASSERT(run == m_running);
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

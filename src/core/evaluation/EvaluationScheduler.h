#pragma once

#include "core/evaluation/EvaluationStopReason.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// Runs its owner's work on EvaluationThreadPool workers, one run at a time and always for the newest input. The owner
// says when its input changed (restart()); the scheduler stops the run that is going and, once that run has ended,
// asks the owner for the work of the newest input (prepare), so that a burst of changes costs one more run.
//
// Every run whose end is wanted ends with exactly one report, on the main thread:
// - finished: the newest input's work ran to its end, also when a stop came too late to catch it;
// - stopped: stop() or the time budget ended it, or a stop kept newer input from running;
// - superseded: newer input came; reported once the newer run has been prepared.
// cancel() ends the run without a report. Main thread only; prepare() is called from within restart() when nothing
// runs, else from the main thread's event loop. When the last run took a moment only, the event loop waits a few ms
// for the new one before it repaints, so that input and its results are painted together.
class EvaluationScheduler final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EvaluationScheduler)

public:
    // Runs on a worker and returns soon after shouldStop turns true: true when it ran to its end.
    using Work = std::function<bool(const std::atomic<bool> &shouldStop)>;
    // The work for the newest input; none when there is nothing to run (an empty or invalid pattern, say).
    using Prepare = std::function<Work()>;

    explicit EvaluationScheduler(Prepare prepare, QObject *parent = nullptr);
    // The run still going is told to stop and ends on its worker unreported.
    ~EvaluationScheduler() override;

    void restart();
    // False when no report is to come. A restart() after the stop runs the newer input instead.
    bool stop(EvaluationStopReason reason = EvaluationStopReason::user);
    // The input is void: the run ends unreported and nothing newer runs until the next restart().
    void cancel();
    // A report is still to come.
    bool isRunning() const { return m_running && (m_reportsEnd || m_restartPending); }

    // Longest a run may take before it is stopped with EvaluationStopReason::timeBudget; zero for no limit. Applies
    // from the next run on.
    std::chrono::milliseconds timeBudget() const { return m_timeBudget; }
    void setTimeBudget(std::chrono::milliseconds budget) { m_timeBudget = budget; }

Q_SIGNALS:
    void runningChanged(bool running);
    void finished();
    void stopped(EvaluationStopReason reason);
    void superseded();

private:
    struct Run;

    void start();
    void awaitQuickRun();
    void runEnded(const std::shared_ptr<Run> &run);
    void updateRunning();

    Prepare m_prepare;
    // From the start of a run until its end is handled on the main thread.
    std::shared_ptr<Run> m_running;
    bool m_restartPending = false;
    // Newer input came while the run went: whatever it found is out of date.
    bool m_overtaken = false;
    bool m_reportsEnd = true;
    std::optional<EvaluationStopReason> m_stopReason;
    std::chrono::milliseconds m_timeBudget {0};
    QTimer m_budgetTimer;
    bool m_wasRunning = false;
    // Of the last run on its worker; unknown (long) before the first.
    std::chrono::microseconds m_lastRunDuration = std::chrono::microseconds::max();
    bool m_quickRunAwaited = false;
    std::chrono::steady_clock::time_point m_runStarted;
};

#include "core/evaluation/EvaluationThreadPool.h"

#include "core/platform/ThreadHandOff.h"

#include <QCoreApplication>
#include <QMutex>
#include <QSet>
#include <QThread>
#include <QThreadPool>

namespace {

// The stop flags of the runs going now.
class LiveRuns final
{
public:
    static LiveRuns &instance()
    {
        static LiveRuns liveRuns;
        return liveRuns;
    }

    // False once the application is closing: the run must not start.
    bool add(std::atomic<bool> *shouldStop)
    {
        const QMutexLocker locker(&m_mutex);
        if (m_closing)
            return false;
        m_runs.insert(shouldStop);
        return true;
    }

    void remove(std::atomic<bool> *shouldStop)
    {
        const QMutexLocker locker(&m_mutex);
        m_runs.remove(shouldStop);
    }

private:
    // The application's destructor calls its post routines.
    LiveRuns() { qAddPostRoutine(&LiveRuns::stopAll); }

    static void stopAll()
    {
        LiveRuns &liveRuns = instance();
        {
            const QMutexLocker locker(&liveRuns.m_mutex);
            liveRuns.m_closing = true;
            for (std::atomic<bool> *shouldStop : std::as_const(liveRuns.m_runs))
                *shouldStop = true;
        }
        // The stopped runs end within milliseconds.
        EvaluationThreadPool::instance()->waitForDone(2000);
    }

    QMutex m_mutex;
    QSet<std::atomic<bool> *> m_runs;
    bool m_closing = false;
};

} // namespace

QThreadPool *EvaluationThreadPool::instance()
{
    static QThreadPool *pool = [] {
        auto *threads = new QThreadPool;
        // Room for the match evaluation and the preview, and for a run still ending after its owner has gone.
        threads->setMaxThreadCount(qMax(4, QThread::idealThreadCount()));
        return threads;
    }();
    return pool;
}

void EvaluationThreadPool::start(std::atomic<bool> &shouldStop, std::function<void()> work)
{
    LiveRuns &liveRuns = LiveRuns::instance();
    ThreadHandOff::handOver([](auto job) { instance()->start(std::move(job)); },
                            [&liveRuns, &shouldStop, work = std::move(work)] {
                                if (!liveRuns.add(&shouldStop))
                                    return;
                                work();
                                liveRuns.remove(&shouldStop);
                            });
}

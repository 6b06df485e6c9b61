#include "EvaluationTestSupport.h"
#include "core/evaluation/EvaluationScheduler.h"

#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <QThreadPool>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Work for one input: it runs until it is released, its time is up or it is told to stop.
struct Job
{
    std::atomic<bool> released = false;
    std::atomic<bool> ended = false;
    std::chrono::microseconds duration = std::chrono::hours(1);
};

// What the runs did, also a run that outlives its owner.
std::atomic<int> runningJobs = 0;
std::atomic<bool> jobsOverlapped = false;
std::atomic<bool> jobOnMainThread = false;

bool onMainThread()
{
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Numbers its inputs from 1, hands the scheduler a job for each, and logs every report with the input it concerns.
class Owner final
{
public:
    Owner()
    {
        QObject::connect(&scheduler, &EvaluationScheduler::finished, [this] {
            // Only the newest input may finish.
            record(prepared.last() == input ? u"finished %1"_s.arg(input) : u"finished an overtaken input"_s);
        });
        QObject::connect(&scheduler, &EvaluationScheduler::stopped, [this](EvaluationStopReason reason) {
            record(reason == EvaluationStopReason::user ? u"stopped"_s : u"stopped by the budget"_s);
        });
        QObject::connect(&scheduler, &EvaluationScheduler::superseded, [this] { record(u"superseded"_s); });
    }

    void restart()
    {
        ++input;
        scheduler.restart();
    }

    void record(const QString &report) { log << (onMainThread() ? report : u"reported off the main thread"_s); }

    int input = 0;
    QList<int> prepared;
    QStringList log;
    QHash<int, std::shared_ptr<Job>> jobs;
    std::chrono::microseconds jobDuration = std::chrono::hours(1);
    EvaluationScheduler scheduler {[this] {
        prepared << input;
        auto job = std::make_shared<Job>();
        job->duration = jobDuration;
        jobs.insert(input, job);
        return [job](const std::atomic<bool> &shouldStop) {
            jobOnMainThread = jobOnMainThread || onMainThread();
            jobsOverlapped = jobsOverlapped || ++runningJobs > 1;
            QElapsedTimer timer;
            timer.start();
            while (!shouldStop && !job->released && timer.nsecsElapsed() / 1000 < job->duration.count())
                QThread::usleep(100);
            --runningJobs;
            job->ended = true;
            return !shouldStop;
        };
    }};
};

} // namespace

class tst_EvaluationScheduler final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { settleEvaluations(); }

    // Steps: "restart" hands in the next input, "stop" and "cancel" call the scheduler, "budget" sets a time budget of
    // 50 ms, "finish" lets the newest input's run end without delivering its report, "wait" waits for a report.
    // Then every job is released, and the reports (comma-separated) are compared once nothing runs.
    void everyRunEndsWithOneReport_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("reports");
        QTest::addColumn<QList<int>>("prepared");
        QTest::addRow("a burst of input prepares only the newest")
            << u"restart restart restart"_s << u"superseded, finished 3"_s << QList {1, 3};
        QTest::addRow("a stop") << u"restart stop wait"_s << u"stopped"_s << QList {1};
        QTest::addRow("input after a stop runs instead")
            << u"restart stop restart"_s << u"superseded, finished 2"_s << QList {1, 2};
        QTest::addRow("a stop after input keeps it from running")
            << u"restart restart stop"_s << u"stopped"_s << QList {1};
        QTest::addRow("a stop after input, too late for the run, shows no outdated result")
            << u"restart finish restart stop"_s << u"stopped"_s << QList {1};
        QTest::addRow("a stop too late for the run") << u"restart finish stop"_s << u"finished 1"_s << QList {1};
        QTest::addRow("the time budget") << u"budget restart wait"_s << u"stopped by the budget"_s << QList {1};
        QTest::addRow("a cancel, unreported") << u"restart cancel"_s << QString() << QList {1};
        QTest::addRow("input after a cancel waits for its run")
            << u"restart cancel restart"_s << u"finished 2"_s << QList {1, 2};
        QTest::addRow("nothing to stop") << u"stop restart finish wait stop"_s
                                         << u"nothing to stop, finished 1, nothing to stop"_s << QList {1};
    }

    void everyRunEndsWithOneReport()
    {
        QFETCH(QString, steps);
        QFETCH(QString, reports);
        Owner owner;
        for (const QStringView step : QStringView(steps).split(u' ')) {
            if (step == u"restart") {
                owner.restart();
            } else if (step == u"stop") {
                if (!owner.scheduler.stop())
                    owner.log << u"nothing to stop"_s;
            } else if (step == u"cancel") {
                owner.scheduler.cancel();
                QVERIFY(!owner.scheduler.isRunning());
            } else if (step == u"budget") {
                owner.scheduler.setTimeBudget(50ms);
            } else if (step == u"finish") {
                Job &job = *owner.jobs.value(owner.input);
                job.released = true;
                while (!job.ended)
                    QThread::usleep(100);
            } else if (step == u"wait") {
                const qsizetype before = owner.log.size();
                QTRY_VERIFY_WITH_TIMEOUT(owner.log.size() > before, 20000);
            }
        }
        owner.jobDuration = 0us;
        for (const std::shared_ptr<Job> &job : std::as_const(owner.jobs))
            job->released = true;
        QTRY_VERIFY_WITH_TIMEOUT(!owner.scheduler.isRunning(), 20000);
        settleEvaluations();
        QCOMPARE(owner.log, reports.split(u", "_s, Qt::SkipEmptyParts));
        QTEST(owner.prepared, "prepared");
    }

    void destroyingStopsTheRun()
    {
        auto owner = std::make_unique<Owner>();
        owner->restart();
        const std::shared_ptr<Job> job = owner->jobs.value(1);
        QVERIFY(owner->scheduler.isRunning());
        owner.reset();
        // Without the stop, the job would hold its worker for an hour.
        QTRY_VERIFY_WITH_TIMEOUT(job->ended, 20000);
    }

    // Input, stops, cancels, budgets and deliveries in random order, as fast typing against quick and slow runs makes
    // them.
    void randomSequencesKeepTheRules()
    {
        QRandomGenerator random(20240611);
        Owner owner;
        bool reportDue = false;
        QObject::connect(&owner.scheduler, &EvaluationScheduler::finished, [&] { reportDue = false; });
        QObject::connect(&owner.scheduler, &EvaluationScheduler::stopped, [&] { reportDue = false; });
        QObject::connect(&owner.scheduler, &EvaluationScheduler::superseded, [&] { reportDue = false; });
        for (int step = 0; step < 3000; ++step) {
            owner.jobDuration = std::chrono::microseconds(random.bounded(3000));
            switch (random.bounded(10)) {
            case 0:
                owner.scheduler.setTimeBudget(std::chrono::milliseconds(random.bounded(3)));
                break;
            case 1:
                reportDue = owner.scheduler.stop() || reportDue;
                break;
            case 2:
                owner.scheduler.cancel();
                reportDue = false;
                break;
            case 3:
            case 4:
                QTest::qWait(random.bounded(3));
                break;
            default:
                owner.restart();
                break;
            }
        }
        QTRY_VERIFY_WITH_TIMEOUT(!owner.scheduler.isRunning(), 20000);
        QVERIFY(!reportDue);
        owner.scheduler.setTimeBudget(0ms);
        owner.restart();
        QTRY_COMPARE_WITH_TIMEOUT(owner.log.value(owner.log.size() - 1), u"finished %1"_s.arg(owner.input), 20000);
        QVERIFY(!owner.log.contains(u"finished an overtaken input"_s));
        QVERIFY(!owner.log.contains(u"reported off the main thread"_s));
        QVERIFY(!jobsOverlapped);
        QVERIFY(!jobOnMainThread);
    }

    // Painting helpers queue on Qt's global pool; the evaluation and the preview must not wait behind them, nor they
    // behind a run.
    void finishesWhileQtsGlobalPoolIsFull()
    {
        QThreadPool *global = QThreadPool::globalInstance();
        QSemaphore release;
        const int threads = global->maxThreadCount();
        for (int i = 0; i < threads; ++i)
            global->start([&release] { release.acquire(); });
        Owner owner;
        owner.jobDuration = 0us;
        owner.restart();
        const bool delivered = QTest::qWaitFor([&owner] { return !owner.log.isEmpty(); }, 20000);
        release.release(threads);
        QVERIFY(global->waitForDone(20000));
        QVERIFY(delivered);
        QCOMPARE(owner.log, QStringList(u"finished 1"_s));
    }

    void applicationExitStopsRuns()
    {
        QProcess process;
        process.start(QStringLiteral(EXIT_DURING_RUNS));
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), QByteArray("start\nstopped\n"));
    }
};

QTEST_GUILESS_MAIN(tst_EvaluationScheduler)
#include "tst_EvaluationScheduler.moc"

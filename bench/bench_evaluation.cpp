// The evaluation against the engine alone, over texts from 0.1 to 20 million UTF-16 units: a find-all with every
// group range as the window runs it (on a worker, through a scheduler) beside the same find-all as a bare engine loop
// handed to a worker and back, the two interleaved and taking turns to go first, since the machine is shared. The
// hand-off itself, which matching off the interface thread always costs, is timed on its own. And how soon a stop
// ends a run.
//   bench_evaluation [REPETITIONS [LARGEST_SIZE]]

#include "BenchSupport.h"
#include "core/evaluation/EvaluationThreadPool.h"
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/RegularExpressionController.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace Qt::StringLiterals;
using namespace bench;

namespace {

constexpr double ratioGoal = 1.15;
constexpr double cancellationGoal = 10;

double controllerFindAll(const RegularExpressionController::Pattern &pattern, const QString &text,
                         MatchResults &results)
{
    const auto controller = std::make_shared<RegularExpressionController>(pattern, text);
    QElapsedTimer timer;
    timer.start();
    evaluateOnWorker(controller);
    const double elapsed = milliseconds(timer);
    results = controller->results();
    return elapsed;
}

// The bare loop pays the same trip to a worker and back as the evaluation.
double bareFindAllOnWorker(const icu::RegexPattern &pattern, const QString &text, MatchResults &results)
{
    QElapsedTimer timer;
    timer.start();
    QEventLoop loop;
    EvaluationThreadPool::instance()->start([&] {
        bareFindAll(pattern, text, results);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    return milliseconds(timer);
}

struct Cancellation
{
    double latency = 0;
    bool cancelled = false;
};

// From the stop request, made delay µs after the start, to the moment the run on its worker has ended; the wait for
// this thread to wake up again is not the run's.
Cancellation cancel(const RegularExpressionController::Pattern &pattern, const QString &text, int delay)
{
    RegularExpressionController controller(pattern, text);
    std::atomic<bool> shouldStop = false;
    std::atomic<bool> completed = true;
    std::chrono::steady_clock::time_point end;
    QSemaphore ended;
    EvaluationThreadPool::instance()->start([&] {
        completed = controller.run(shouldStop);
        end = std::chrono::steady_clock::now();
        ended.release();
    });
    QThread::usleep(delay);
    const auto stop = std::chrono::steady_clock::now();
    shouldStop = true;
    ended.acquire();
    const double latency = std::chrono::duration<double, std::milli>(std::max(end, stop) - stop).count();
    return {latency, !completed};
}

QString sizeName(qsizetype size)
{
    return QString::number(double(size) / 1e6, 'g', 3) + u" M"_s;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    const qsizetype largest = argc > 2 ? std::atoll(argv[2]) : 20000000;
    const qsizetype sizes[] = {100000, 1000000, 2200000, 5000000, 20000000};
    const QString patterns[] = {
        u"\\d{4}-\\d{2}-\\d{2}"_s, // scan-bound: few positions start an attempt
        u"xyzzy"_s, // scan-bound: a literal that never occurs
        u"(\\w+)\\s(\\w+)"_s, // backtracking-heavy
        u"[\\w.+-]+@[\\w-]+\\.[\\w.-]+"_s, // backtracking-heavy
    };
    std::printf("evaluation bench: find-all with every group range, the app (worker, scheduler) against bare ICU on "
                "a worker, interleaved, %d repetitions, sizes in UTF-16 units; ratio of medians, goal <= %.2f\n",
                repetitions, ratioGoal);
    std::vector<double> handOffs;
    for (int i = 0; i < 200; ++i) {
        MatchResults none;
        handOffs.push_back(bareFindAllOnWorker(*RegularExpression::compile(u"a"_s, {}).pattern, QString(), none));
    }
    std::printf("hand-off to a worker and back, paid by both sides: median %.3f worst %.3f ms\n", median(handOffs),
                worst(handOffs));

    std::vector<double> worstRatios(std::size(patterns), 0);
    for (const qsizetype size : sizes) {
        if (size > largest)
            break;
        const QString text = sampleText(size);
        std::vector<double> bareMedians(std::size(patterns), 0);
        for (std::size_t p = 0; p < std::size(patterns); ++p) {
            const RegularExpressionController::Pattern pattern = RegularExpression::compile(patterns[p], {}).pattern;
            std::vector<double> app;
            std::vector<double> bare;
            MatchResults appResults;
            MatchResults bareResults;
            bool same = true;
            for (int i = 0; i < repetitions; ++i) {
                if (i % 2 == 0) {
                    bare.push_back(bareFindAllOnWorker(*pattern, text, bareResults));
                    app.push_back(controllerFindAll(pattern, text, appResults));
                } else {
                    app.push_back(controllerFindAll(pattern, text, appResults));
                    bare.push_back(bareFindAllOnWorker(*pattern, text, bareResults));
                }
                same = same && appResults == bareResults;
            }
            bareMedians[p] = median(bare);
            const double ratio = median(app) / median(bare);
            worstRatios[p] = std::max(worstRatios[p], ratio);
            std::printf("%-7s %-28s %7lld matches: app median %8.2f worst %8.2f ms, bare ICU median %8.2f worst "
                        "%8.2f ms, ratio %.2f (goal <= %.2f) %s%s\n",
                        qPrintable(sizeName(size)), qPrintable(patterns[p]), qlonglong(bareResults.count()),
                        median(app), worst(app), median(bare), worst(bare), ratio, ratioGoal,
                        verdict(ratio <= ratioGoal), same ? "" : " RESULTS DIFFER");
        }

        // Stops at points spread over the app's run, also its last stretch; a run that ended before its stop counts
        // with its wait. A stop in a skip that nothing watches waits for its end, never longer than the bare run.
        for (std::size_t p : {0, 1}) {
            const RegularExpressionController::Pattern pattern = RegularExpression::compile(patterns[p], {}).pattern;
            MatchResults results;
            const double runTime = controllerFindAll(pattern, text, results);
            std::vector<double> latencies;
            int cancelled = 0;
            for (int i = 0; i < repetitions; ++i) {
                const Cancellation outcome = cancel(pattern, text, int(runTime * 1000 * (i + 1) / (repetitions + 1)));
                latencies.push_back(outcome.latency);
                cancelled += outcome.cancelled ? 1 : 0;
            }
            const double goal = std::max(cancellationGoal, bareMedians[p]);
            std::printf("%-7s cancellation of %-19s %2d of %d stopped: median %6.3f worst %6.3f ms (goal <= %.0f ms) "
                        "%s\n",
                        qPrintable(sizeName(size)), qPrintable(patterns[p]), cancelled, repetitions, median(latencies),
                        worst(latencies), goal, verdict(worst(latencies) <= goal));
        }
    }

    const RegularExpressionController::Pattern runaway = RegularExpression::compile(u"(a+)+$"_s, {}).pattern;
    std::vector<double> latencies;
    for (int i = 0; i < repetitions; ++i)
        latencies.push_back(cancel(runaway, QString(40, u'a') + u'b', 20000 + 1000 * i).latency);
    std::printf("cancellation of (a+)+$ over 40 x \"a\" + \"b\": median %.3f worst %.3f ms (goal <= %.0f ms) %s\n",
                median(latencies), worst(latencies), cancellationGoal, verdict(worst(latencies) <= cancellationGoal));
    for (std::size_t p = 0; p < std::size(patterns); ++p)
        std::printf("worst ratio over the sizes for %-28s %.2f (goal <= %.2f) %s\n", qPrintable(patterns[p]),
                    worstRatios[p], ratioGoal, verdict(worstRatios[p] <= ratioGoal));
    return 0;
}

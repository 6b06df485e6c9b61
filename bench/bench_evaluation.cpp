#include "BenchSupport.h"
#include "core/evaluation/EvaluationThreadPool.h"
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/RegularExpressionController.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;
using namespace bench;

namespace {

const int runs = 15;

double controllerFindAll(const RegularExpressionController::Pattern &pattern, const QString &text, qsizetype &matches)
{
    const auto controller = std::make_shared<RegularExpressionController>(pattern, text);
    QElapsedTimer timer;
    timer.start();
    evaluateOnWorker(controller);
    const double elapsed = milliseconds(timer);
    matches = controller->results().count();
    return elapsed;
}

// From the stop request, made delay ms after the start, to the moment the run on its worker has ended.
double cancellationLatency(const QString &source, const QString &text, int delay)
{
    RegularExpressionController controller(RegularExpression::compile(source, {}).pattern, text);
    std::atomic<bool> shouldStop = false;
    bool completed = true;
    QSemaphore ended;
    EvaluationThreadPool::instance()->start([&] {
        completed = controller.run(shouldStop);
        ended.release();
    });
    QThread::msleep(delay);
    QElapsedTimer timer;
    timer.start();
    shouldStop = true;
    ended.acquire();
    const double latency = milliseconds(timer);
    if (completed)
        std::printf("cancellation: the run over %lld units was not cancelled\n", qlonglong(text.size()));
    return latency;
}

double worstCancellationLatency(const QString &source, const QString &text, int delay)
{
    double worst = 0;
    for (int i = 0; i < 5; ++i)
        worst = std::max(worst, cancellationLatency(source, text, delay));
    return worst;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QString text = sampleText(1000000);
    std::printf("evaluation bench: sample text %lld UTF-16 units, median of %d runs\n", qlonglong(text.size()), runs);

    const QString patterns[]
        = {u"\\w+"_s, u"\\d{4}-\\d{2}-\\d{2}"_s, u"[\\w.+-]+@[\\w-]+\\.[\\w.-]+"_s, u"(\\w+)\\s(\\w+)"_s};
    for (const QString &source : patterns) {
        const RegularExpressionController::Pattern pattern = RegularExpression::compile(source, {}).pattern;
        std::vector<double> controllerTimes;
        std::vector<double> bareTimes;
        qsizetype controllerMatches = 0;
        qsizetype bareMatches = 0;
        for (int i = 0; i < runs; ++i) {
            bareTimes.push_back(bareFindAll(*pattern, text, bareMatches));
            controllerTimes.push_back(controllerFindAll(pattern, text, controllerMatches));
        }
        const double controllerTime = median(controllerTimes);
        const double bareTime = median(bareTimes);
        std::printf(
            "find all %-28s %7lld matches: controller %7.2f ms, bare ICU %7.2f ms, ratio %.2f (goal <= 1.2)%s\n",
            qPrintable(source), qlonglong(controllerMatches), controllerTime, bareTime, controllerTime / bareTime,
            controllerMatches == bareMatches ? "" : " MATCH COUNTS DIFFER");
    }

    std::printf("cancellation of (a+)+$ over 40 x \"a\" + \"b\", worst of 5: %.3f ms (goal <= 10 ms)\n",
                worstCancellationLatency(u"(a+)+$"_s, QString(40, u'a') + u'b', 50));
    // A scan that skips every position is the one case the match callback does not see. Below the length where the
    // find callback is added, the stop waits for the scan at worst, so its whole time is the latency bound there.
    const RegularExpressionController::Pattern skipping = RegularExpression::compile(u"Q\\d"_s, {}).pattern;
    const QString shortScan = text.repeated(3).left((qsizetype(2) << 20) - 1);
    std::vector<double> scanTimes;
    qsizetype none = 0;
    for (int i = 0; i < runs; ++i)
        scanTimes.push_back(controllerFindAll(skipping, shortScan, none));
    std::printf("scan that finds nothing over %lld units, without the find callback, median: %.3f ms "
                "(the stop latency bound there; goal <= 10 ms)\n",
                qlonglong(shortScan.size()), median(scanTimes));
    const QString longScan = text.repeated(64);
    std::printf("cancellation of a scan that finds nothing over %lld units, worst of 5: %.3f ms (goal <= 10 ms)\n",
                qlonglong(longScan.size()), worstCancellationLatency(u"Q\\d"_s, longScan, 50));
    return 0;
}

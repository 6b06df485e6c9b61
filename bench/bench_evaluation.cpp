#include "evaluation/EvaluationThreadPool.h"
#include "evaluation/RegularExpression.h"
#include "evaluation/RegularExpressionController.h"
#include "evaluation/RegularExpressionControllerDelegate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const int runs = 15;

// Words, numbers, e-mail addresses, dates, non-ASCII words and emoji, in lines of a few dozen tokens.
QString sampleText(qsizetype length)
{
    QRandomGenerator random(1234);
    const QString syllables[] = { u"ka"_s, u"lo"_s, u"mi"_s, u"ren"_s, u"sto"_s, u"va"_s, u"qui"_s, u"der"_s };
    const QString foreign[] = { u"café"_s, u"Straße"_s, u"naïve"_s, u"東京"_s, u"Ærø"_s, u"смысл"_s };
    const QString emoji[] = { u"\U0001F600"_s, u"\U0001F680"_s, u"\u2764\uFE0F"_s, u"\U0001F44D\U0001F3FD"_s };
    const auto word = [&] {
        QString w;
        for (int i = random.bounded(1, 4); i > 0; --i)
            w += syllables[random.bounded(8)];
        return w;
    };
    QString text;
    text.reserve(length + 100);
    int tokens = 0;
    while (text.size() < length) {
        const int kind = random.bounded(100);
        if (kind < 70)
            text += word();
        else if (kind < 80)
            text += QString::number(random.bounded(100000));
        else if (kind < 85)
            text += word() + u'.' + word() + u'@' + word() + u".com";
        else if (kind < 90)
            text += u"%1-%2-%3"_s.arg(random.bounded(1970, 2030)).arg(random.bounded(1, 13), 2, 10, QLatin1Char('0'))
                        .arg(random.bounded(1, 29), 2, 10, QLatin1Char('0'));
        else if (kind < 96)
            text += foreign[random.bounded(6)];
        else
            text += emoji[random.bounded(4)];
        text += (++tokens % 12 == 0) ? u'\n' : (random.bounded(10) == 0 ? u',' : u' ');
    }
    return text;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The engine alone on this thread: find all, collecting the same ranges into the same storage.
double bareFindAll(const icu::RegexPattern &pattern, const QString &text, qsizetype &matches)
{
    QElapsedTimer timer;
    timer.start();
    const icu::UnicodeString input(false, reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(input, status));
    MatchResults results(matcher->groupCount() + 1);
    while (matcher->find(status))
        results.appendMatch(*matcher, status);
    const double elapsed = milliseconds(timer);
    matches = results.count();
    return elapsed;
}

class Waiter final : public RegularExpressionControllerDelegate
{
public:
    QEventLoop loop;
    QElapsedTimer started;
    double finishedAfter = 0;
    qsizetype matches = 0;
    bool cancelled = false;

    void regularExpressionControllerDidStartEvaluating(RegularExpressionController *) override { }
    void regularExpressionControllerDidFinishEvaluating(RegularExpressionController *,
                                                        const MatchResults &results) override
    {
        finishedAfter = milliseconds(started);
        matches = results.count();
        loop.quit();
    }
    void regularExpressionControllerDidCancelEvaluating(RegularExpressionController *) override
    {
        cancelled = true;
        loop.quit();
    }
};

double controllerFindAll(const RegularExpressionController::Pattern &pattern, const QString &text, qsizetype &matches)
{
    Waiter waiter;
    const std::shared_ptr<RegularExpressionController> controller = RegularExpressionController::create(pattern, text);
    controller->setDelegate(&waiter);
    waiter.started.start();
    controller->startEvaluation();
    waiter.loop.exec();
    matches = waiter.matches;
    return waiter.finishedAfter;
}

// From the stop request on a worker, made delay ms after the start, to the moment the run has ended.
double cancellationLatency(const QString &source, const QString &text, int delay)
{
    const RegularExpressionController::Pattern pattern = RegularExpression::compile(source, 0).pattern;
    Waiter waiter;
    const std::shared_ptr<RegularExpressionController> controller = RegularExpressionController::create(pattern, text);
    controller->setDelegate(&waiter);
    controller->startEvaluation();
    QSemaphore stopped;
    double latency = 0;
    EvaluationThreadPool::instance()->start([&] {
        QThread::msleep(delay);
        QElapsedTimer timer;
        timer.start();
        controller->stopEvaluation({});
        latency = milliseconds(timer);
        stopped.release();
    });
    waiter.loop.exec();
    stopped.acquire();
    if (!waiter.cancelled)
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

    const QString patterns[] = { u"\\w+"_s, u"\\d{4}-\\d{2}-\\d{2}"_s, u"[\\w.+-]+@[\\w-]+\\.[\\w.-]+"_s,
                                 u"(\\w+)\\s(\\w+)"_s };
    for (const QString &source : patterns) {
        const RegularExpressionController::Pattern pattern = RegularExpression::compile(source, 0).pattern;
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
        std::printf("find all %-28s %7lld matches: controller %7.2f ms, bare ICU %7.2f ms, ratio %.2f (goal <= 1.2)%s\n",
                    qPrintable(source), qlonglong(controllerMatches), controllerTime, bareTime,
                    controllerTime / bareTime, controllerMatches == bareMatches ? "" : " MATCH COUNTS DIFFER");
    }

    std::printf("cancellation of (a+)+$ over 40 x \"a\" + \"b\", worst of 5: %.3f ms (goal <= 10 ms)\n",
                worstCancellationLatency(u"(a+)+$"_s, QString(40, u'a') + u'b', 50));
    // A scan that skips every position is the one case the match callback does not see. Below the length where the
    // find callback is added, the stop waits for the scan at worst, so its whole time is the latency bound there.
    const RegularExpressionController::Pattern skipping = RegularExpression::compile(u"Q\\d"_s, 0).pattern;
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

#include "core/evaluation/EvaluationThreadPool.h"
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/RegularExpressionController.h"
#include "core/evaluation/RegularExpressionControllerDelegate.h"

#include <QCoreApplication>
#include <QHash>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <QThreadPool>

using namespace Qt::StringLiterals;
using Controller = std::shared_ptr<RegularExpressionController>;

namespace {

const int timeout = 20000;

// A finishing run waits for the main thread, so the main thread must not block on the pool.
void settle()
{
    QTRY_VERIFY_WITH_TIMEOUT(EvaluationThreadPool::instance()->waitForDone(0), timeout);
    QCoreApplication::processEvents();
}

QString catastrophicText()
{
    return QString(40, u'a') + u'b';
}

// "loc+len" per range, "-" for a group that took no part; ranges joined by "/", matches by " ".
QString described(const MatchResults &results)
{
    QStringList matches;
    for (qsizetype m = 0; m < results.count(); ++m) {
        QStringList ranges;
        for (int g = 0; g < results.numberOfRanges(); ++g) {
            const TextRange range = results.range(m, g);
            ranges << (range.isFound() ? u"%1+%2"_s.arg(range.location).arg(range.length) : u"-"_s);
        }
        matches << ranges.join(u'/');
    }
    return matches.join(u' ');
}

// Keeps one log per controller; every entry is made on the main thread or the test fails.
class Recorder final : public RegularExpressionControllerDelegate
{
public:
    Controller make(const QString &pattern, const QString &text, int options = 0)
    {
        m_pattern = RegularExpression::compile(pattern, RegularExpressionOptions::fromInt(options)).pattern;
        Q_ASSERT(m_pattern);
        Controller controller = RegularExpressionController::create(m_pattern, text);
        controller->setDelegate(this);
        return controller;
    }

    void stopFromWorker(const Controller &controller)
    {
        EvaluationThreadPool::instance()->start(
            [this, controller] { controller->stopEvaluation(completion(controller)); });
    }

    std::function<void()> completion(const Controller &controller)
    {
        return [this, c = controller.get()] { record(c, u"completion"_s); };
    }

    QStringList log(const Controller &controller) const { return m_logs.value(controller.get()); }
    QString lastResults() const { return m_lastResults; }
    bool allOnMainThread() const { return m_allOnMainThread; }

    void regularExpressionControllerDidStartEvaluating(RegularExpressionController *controller) override
    {
        record(controller, u"start"_s);
    }
    void regularExpressionControllerDidFinishEvaluating(RegularExpressionController *controller,
                                                        const MatchResults &results) override
    {
        m_lastResults = described(results);
        record(controller, u"finish"_s);
    }
    void regularExpressionControllerDidCancelEvaluating(RegularExpressionController *controller) override
    {
        record(controller, u"cancel"_s);
    }

private:
    void record(RegularExpressionController *controller, const QString &event)
    {
        m_allOnMainThread = m_allOnMainThread && QThread::currentThread() == QCoreApplication::instance()->thread();
        m_logs[controller] << event;
    }

    RegularExpressionController::Pattern m_pattern;
    QHash<RegularExpressionController *, QStringList> m_logs;
    QString m_lastResults;
    bool m_allOnMainThread = true;
};

} // namespace

class tst_RegularExpressionController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void results_data();
    void results();
    void stackOverflowFinishesWithTheMatchesSoFar();
    void stopDuringRunawayMatch();
    void searchedLengthWhileStuck_data();
    void searchedLengthWhileStuck();
    void stopAfterTheRunEnded();
    void stopBeforeTheJobBegan();
    void stopWithoutRun_data();
    void stopWithoutRun();
    void rapidStartsAndStops();
    void debugDescription();
};

void tst_RegularExpressionController::cleanup()
{
    settle();
}

void tst_RegularExpressionController::results_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString mixed = u"ba\U0001F600a\nx\U0001F600"_s;
    QTest::addRow("empty text") << u"(a+)+$"_s << 0 << QString() << QString();
    QTest::addRow("no match in a long text") << u"zzz"_s << 0 << u"abc, "_s.repeated(200000) << QString();
    QTest::addRow("a* around matches, never inside a surrogate pair")
        << u"a*"_s << 0 << mixed << u"0+0 1+1 2+0 4+1 5+0 6+0 7+0 9+0"_s;
    QTest::addRow("word boundaries next to emoji") << u"\\b"_s << 0 << mixed << u"0+0 2+0 4+0 5+0 6+0 7+0"_s;
    QTest::addRow("empty pattern at every code point boundary")
        << u"(?:)"_s << 0 << mixed << u"0+0 1+0 2+0 4+0 5+0 6+0 7+0 9+0"_s;
    QTest::addRow("^ at text start only") << u"^"_s << 0 << mixed << u"0+0"_s;
    QTest::addRow("^ at line starts") << u"^"_s << 16 << mixed << u"0+0 6+0"_s;
    QTest::addRow("alternative groups take no part") << u"(a)|(b)"_s << 0 << u"ab"_s << u"0+1/0+1/- 1+1/-/1+1"_s;
    QTest::addRow("optional group") << u"(x)?y"_s << 0 << u"yxy"_s << u"0+1/- 1+2/1+1"_s;
    QTest::addRow("nested groups") << u"((a)(b)?)"_s << 0 << u"ab a"_s << u"0+2/0+2/0+1/1+1 3+1/3+1/3+1/-"_s;
    QTest::addRow("surrogate pairs count two units")
        << u"(\U0001F600+)(é)"_s << 0 << u"a\U0001F600\U0001F600é"_s << u"1+5/1+4/5+1"_s;
    QTest::addRow("case insensitive") << u"é"_s << 1 << u"Éé"_s << u"0+1 1+1"_s;
}

void tst_RegularExpressionController::results()
{
    QFETCH(QString, pattern);
    QFETCH(int, options);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    Recorder recorder;
    const Controller controller = recorder.make(pattern, text, options);
    controller->startEvaluation();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.log(controller), QStringList({u"start"_s, u"finish"_s}), timeout);
    QCOMPARE(recorder.lastResults(), expected);
    QCOMPARE(controller->matchingError(), U_ZERO_ERROR);
    QCOMPARE(controller->text(), text);
    QVERIFY(!controller->delegate());
    QVERIFY(recorder.allOnMainThread());
}

void tst_RegularExpressionController::stackOverflowFinishesWithTheMatchesSoFar()
{
    Recorder recorder;
    const Controller controller = recorder.make(u"x|(?:a|b)+c"_s, u"x "_s + u"ab"_s.repeated(1000000));
    controller->startEvaluation();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.log(controller), QStringList({u"start"_s, u"finish"_s}), timeout);
    QCOMPARE(recorder.lastResults(), u"0+1"_s);
    QCOMPARE(controller->matchingError(), U_REGEX_STACK_OVERFLOW);
}

void tst_RegularExpressionController::stopDuringRunawayMatch()
{
    Recorder recorder;
    const Controller controller = recorder.make(u"(a+)+$"_s, catastrophicText());
    controller->startEvaluation();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.log(controller), QStringList({u"start"_s}), timeout);
    recorder.stopFromWorker(controller);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.log(controller), QStringList({u"start"_s, u"cancel"_s, u"completion"_s}),
                              timeout);
    settle();
    QCOMPARE(recorder.log(controller).size(), 3);
    QVERIFY(recorder.allOnMainThread());
}

void tst_RegularExpressionController::searchedLengthWhileStuck_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("before");
    QTest::addColumn<qsizetype>("lag");

    // The engine is asked where it tries next about every 10,000 steps, here some 200 positions.
    QTest::addRow("a slow search that finds nothing")
        << u".*z|(a+)+$"_s << QString(u"y"_s.repeated(99) + u'\n').repeated(3000) << qsizetype(1000);
    QTest::addRow("a long text that finds nothing")
        << u"(a+)+$"_s << QString((qsizetype(2) << 20) + 1, u'y') << qsizetype(0);
}

void tst_RegularExpressionController::searchedLengthWhileStuck()
{
    QFETCH(QString, pattern);
    QFETCH(QString, before);
    QFETCH(qsizetype, lag);

    Recorder recorder;
    const Controller controller = recorder.make(pattern, before + catastrophicText());
    controller->startEvaluation();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.log(controller), QStringList({u"start"_s}), timeout);
    const auto reached = [&] { return controller->searchedLength() >= before.size() - lag; };
    QTRY_VERIFY_WITH_TIMEOUT(reached(), timeout);
    QVERIFY(controller->searchedLength() <= before.size());
    recorder.stopFromWorker(controller);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.log(controller).size(), 3, timeout);
}

void tst_RegularExpressionController::stopAfterTheRunEnded()
{
    Recorder recorder;
    const Controller controller = recorder.make(u"\\w+"_s, u"one two"_s);
    controller->startEvaluation();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.log(controller), QStringList({u"start"_s, u"finish"_s}), timeout);
    recorder.stopFromWorker(controller);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.log(controller), QStringList({u"start"_s, u"finish"_s, u"completion"_s}),
                              timeout);
    QCOMPARE(recorder.lastResults(), u"0+3 4+3"_s);
}

// With every pool thread held, the run stays queued while stop requests arrive. The first waits for it; the second
// returns at once without its completion. The run then ends at once: an empty text would otherwise finish.
void tst_RegularExpressionController::stopBeforeTheJobBegan()
{
    QThreadPool *pool = EvaluationThreadPool::instance();
    QSemaphore held;
    QSemaphore gate;
    for (int i = 0; i < pool->maxThreadCount(); ++i)
        pool->start([&] {
            held.release();
            gate.acquire();
        });
    held.acquire(pool->maxThreadCount());

    Recorder recorder;
    const Controller controller = recorder.make(u"a"_s, QString());
    controller->startEvaluation();
    std::unique_ptr<QThread> requests[2];
    for (auto &request : requests) {
        request.reset(QThread::create([&] { controller->stopEvaluation(recorder.completion(controller)); }));
        request->start();
    }
    QTRY_VERIFY_WITH_TIMEOUT(requests[0]->isFinished() || requests[1]->isFinished(), timeout);
    QVERIFY(!(requests[0]->isFinished() && requests[1]->isFinished()));
    QVERIFY(recorder.log(controller).isEmpty());

    gate.release(pool->maxThreadCount());
    QTRY_COMPARE_WITH_TIMEOUT(recorder.log(controller), QStringList({u"start"_s, u"cancel"_s, u"completion"_s}),
                              timeout);
    for (auto &request : requests)
        QTRY_VERIFY_WITH_TIMEOUT(request->isFinished(), timeout);
    settle();
    QCOMPARE(recorder.log(controller).size(), 3);

    // Once that completion has run, a new request runs its own again.
    recorder.stopFromWorker(controller);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.log(controller).size(), 4, timeout);
    QCOMPARE(recorder.log(controller).last(), u"completion"_s);
}

void tst_RegularExpressionController::stopWithoutRun_data()
{
    QTest::addColumn<bool>("patternGone");
    QTest::addRow("stopped before the start") << false;
    QTest::addRow("pattern gone at the start") << true;
}

void tst_RegularExpressionController::stopWithoutRun()
{
    QFETCH(bool, patternGone);
    Recorder recorder;
    Controller controller = recorder.make(u"a"_s, u"a"_s);
    if (patternGone) {
        controller = RegularExpressionController::create(RegularExpression::compile(u"a"_s, {}).pattern, u"a"_s);
        controller->setDelegate(&recorder);
        controller->startEvaluation();
    }
    recorder.stopFromWorker(controller);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.log(controller), QStringList({u"completion"_s}), timeout);
    controller->startEvaluation();
    settle();
    QCOMPARE(recorder.log(controller), QStringList({u"completion"_s}));
    QVERIFY(!controller->isWorking());
}

// Drives controllers like an editor under fast typing: each completion starts the next run; stops come at random
// points, sometimes several at once, against runs that are quick, slow or runaway.
void tst_RegularExpressionController::rapidStartsAndStops()
{
    const int runs = 200;
    QRandomGenerator random(20240611);
    const QString patterns[] = {u"\\w+"_s, u"(a+)+$"_s, u"(\\w)(\\d)?"_s, u"(?:)"_s};
    const QString texts[] = {QString(), u"ab1 cd2 "_s.repeated(2000), catastrophicText()};
    Recorder recorder;
    QList<Controller> controllers;
    std::function<void()> next = [&] {
        if (controllers.size() == runs)
            return;
        const Controller controller
            = recorder.make(patterns[random.bounded(4)], texts[random.bounded(3)], random.bounded(2) * 16);
        controllers << controller;
        controller->startEvaluation();
        const int requests = random.bounded(1, 4);
        for (int i = 0; i < requests; ++i)
            EvaluationThreadPool::instance()->start([&, controller] {
                controller->stopEvaluation([&, completion = recorder.completion(controller)] {
                    completion();
                    next();
                });
            });
    };
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { next(); }, Qt::QueuedConnection);
    const auto settled = [&] {
        return controllers.size() == runs && std::all_of(controllers.cbegin(), controllers.cend(), [&](auto &c) {
                   return recorder.log(c).contains(u"completion"_s);
               });
    };
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 4 * timeout);
    settle();

    for (const Controller &controller : std::as_const(controllers)) {
        const QStringList log = recorder.log(controller);
        QVERIFY2(log.size() >= 3, qPrintable(log.join(u' ')));
        QCOMPARE(log.at(0), u"start"_s);
        QVERIFY(log.at(1) == u"finish" || log.at(1) == u"cancel");
        QCOMPARE(log.mid(2), QStringList(log.size() - 2, u"completion"_s));
        QVERIFY(!controller->isWorking());
    }
    QVERIFY(recorder.allOnMainThread());
}

void tst_RegularExpressionController::debugDescription()
{
    Recorder recorder;
    const Controller controller = recorder.make(u"(a)é"_s, u"x"_s);
    const QString address = QString::number(quintptr(controller.get()), 16);
    QCOMPARE(controller->debugDescription(), u"[RegExprCtrlr: 0x"_s + address + u"]   '(a)é'"_s);
    recorder.make(u"b"_s, QString());
    QCOMPARE(controller->debugDescription(), u"[RegExprCtrlr: 0x"_s + address + u"]   ''"_s);
}

QTEST_GUILESS_MAIN(tst_RegularExpressionController)
#include "tst_RegularExpressionController.moc"

#include "EvaluationTestSupport.h"
#include "core/evaluation/SubstitutionController.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>

using namespace Qt::StringLiterals;

// Overtaking, bursts, stops, destruction and the thread reports come on are the scheduler's, tested with it; here is
// what the preview adds.
class tst_SubstitutionController final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { settleEvaluations(); }

    // A result and a refusal each come as their own signal.
    void deliversTheOutcome()
    {
        SubstitutionController controller;
        QSignalSpy finished(&controller, &SubstitutionController::finished);
        QSignalSpy failed(&controller, &SubstitutionController::failed);
        controller.start(compiledPattern(u"(\\d+)"_s), u"<$1>"_s, u"a1b22"_s);
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.constFirst().at(0).toString(), u"a<1>b<22>"_s);
        QCOMPARE(finished.constFirst().at(1).value<qsizetype>(), 2);

        controller.start(compiledPattern(u"(\\d+)"_s), u"$2"_s, u"a1b22"_s);
        QVERIFY(failed.wait(20000));
        QCOMPARE(failed.constFirst().at(0).toString(),
                 u"The replacement refers to group 2, but the pattern has only 1 group"_s);
        QCOMPARE(finished.count(), 1);
    }

    // Painting helpers queue on Qt's global pool; a preview must not wait behind them, nor they behind a preview.
    void finishesWhileQtsGlobalPoolIsFull()
    {
        QThreadPool *global = QThreadPool::globalInstance();
        QSemaphore release;
        const int threads = global->maxThreadCount();
        for (int i = 0; i < threads; ++i)
            global->start([&release] { release.acquire(); });
        SubstitutionController controller;
        QSignalSpy finished(&controller, &SubstitutionController::finished);
        controller.start(compiledPattern(u"b"_s), u"c"_s, u"abc"_s);
        const bool delivered = finished.wait(20000);
        release.release(threads);
        QVERIFY(global->waitForDone(20000));
        QVERIFY(delivered);
        QCOMPARE(finished.constFirst().at(0).toString(), u"acc"_s);
    }
};

QTEST_GUILESS_MAIN(tst_SubstitutionController)
#include "tst_SubstitutionController.moc"

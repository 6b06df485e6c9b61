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

#include "core/evaluation/EvaluationThreadPool.h"
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/SubstitutionController.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QThreadPool>

using namespace Qt::StringLiterals;

namespace {

const int timeout = 20000;

SubstitutionController::Pattern compiled(const QString &source)
{
    const auto pattern = RegularExpression::compile(source, {}).pattern;
    Q_ASSERT(pattern);
    return pattern;
}

QString catastrophicText()
{
    return QString(40, u'a') + u'b';
}

// Stopped runs end on their own; the main thread may wait for them because none waits for it.
bool poolIdle()
{
    return EvaluationThreadPool::instance()->waitForDone(timeout);
}

} // namespace

class tst_SubstitutionController final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QVERIFY(poolIdle()); }

    void reportsOnTheMainThread()
    {
        SubstitutionController controller;
        QList<QThread *> threads;
        connect(&controller, &SubstitutionController::finished, this, [&] { threads << QThread::currentThread(); });
        connect(&controller, &SubstitutionController::failed, this, [&] { threads << QThread::currentThread(); });
        QSignalSpy finished(&controller, &SubstitutionController::finished);
        QSignalSpy failed(&controller, &SubstitutionController::failed);

        controller.start(compiled(u"(\\d+)"_s), u"<$1>"_s, u"a1b22"_s);
        QVERIFY(controller.isRunning());
        QVERIFY(finished.wait(timeout));
        QCOMPARE(finished.constFirst().at(0).toString(), u"a<1>b<22>"_s);
        QCOMPARE(finished.constFirst().at(1).value<qsizetype>(), 2);
        QVERIFY(!controller.isRunning());

        controller.start(compiled(u"(\\d+)"_s), u"$2"_s, u"a1b22"_s);
        QVERIFY(failed.wait(timeout));
        QCOMPARE(failed.constFirst().at(0).toString(),
                 u"The replacement refers to group 2, but the pattern has only 1 group"_s);
        QCOMPARE(threads, QList<QThread *>({thread(), thread()}));
        QCOMPARE(finished.count(), 1);
    }

    void stopEndsARunawayRunWithoutReport()
    {
        SubstitutionController controller;
        QSignalSpy finished(&controller, &SubstitutionController::finished);
        QSignalSpy failed(&controller, &SubstitutionController::failed);
        controller.start(compiled(u"(a+)+$"_s), u"x"_s, catastrophicText());
        controller.stop();
        QVERIFY(!controller.isRunning());
        QVERIFY(poolIdle());
        QCoreApplication::processEvents();
        QCOMPARE(finished.count() + failed.count(), 0);
    }

    void newerStartSupersedes_data()
    {
        QTest::addColumn<bool>("olderFinishesFirst");
        QTest::addRow("older run still matching") << false;
        QTest::addRow("older result already queued") << true;
    }

    void newerStartSupersedes()
    {
        QFETCH(bool, olderFinishesFirst);
        SubstitutionController controller;
        QSignalSpy finished(&controller, &SubstitutionController::finished);
        if (olderFinishesFirst) {
            controller.start(compiled(u"a"_s), u"old"_s, u"a"_s);
            QVERIFY(poolIdle());
        } else {
            controller.start(compiled(u"(a+)+$"_s), u"old"_s, catastrophicText());
        }
        controller.start(compiled(u"a"_s), u"new"_s, u"a"_s);
        QVERIFY(finished.wait(timeout));
        QVERIFY(poolIdle());
        QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.constFirst().at(0).toString(), u"new"_s);
    }

    void onlyTheLastOfABurstReports()
    {
        SubstitutionController controller;
        QSignalSpy finished(&controller, &SubstitutionController::finished);
        for (int i = 0; i < 200; ++i)
            controller.start(compiled(u"\\d+"_s), u"#"_s, QString::number(i) + u" x"_s);
        QVERIFY(finished.wait(timeout));
        QVERIFY(poolIdle());
        QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.constFirst().at(0).toString(), u"# x"_s);
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
        controller.start(compiled(u"b"_s), u"c"_s, u"abc"_s);
        const bool delivered = finished.wait(timeout);
        release.release(threads);
        QVERIFY(global->waitForDone(timeout));
        QVERIFY(delivered);
        QCOMPARE(finished.constFirst().at(0).toString(), u"acc"_s);
    }

    void destroyingTheControllerStopsItsRun()
    {
        auto controller = std::make_unique<SubstitutionController>();
        controller->start(compiled(u"(a+)+$"_s), u"x"_s, catastrophicText());
        controller.reset();
        QVERIFY(poolIdle());
        QCoreApplication::processEvents();
    }
};

QTEST_GUILESS_MAIN(tst_SubstitutionController)
#include "tst_SubstitutionController.moc"

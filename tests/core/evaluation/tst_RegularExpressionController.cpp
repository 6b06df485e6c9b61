#include "EvaluationTestSupport.h"
#include "core/evaluation/RegularExpressionController.h"

#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

class tst_RegularExpressionController final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void results_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString mixed = u"ba\U0001F600a\nx\U0001F600"_s;
        QTest::addRow("empty text") << u"(a+)+$"_s << QString() << QString();
        QTest::addRow("no match in a long text") << u"zzz"_s << u"abc, "_s.repeated(200000) << QString();
        QTest::addRow("a* around matches, never inside a surrogate pair")
            << u"a*"_s << mixed << u"0+0 1+1 2+0 4+1 5+0 6+0 7+0 9+0"_s;
        QTest::addRow("word boundaries next to emoji") << u"\\b"_s << mixed << u"0+0 2+0 4+0 5+0 6+0 7+0"_s;
        QTest::addRow("empty pattern at every code point boundary")
            << u"(?:)"_s << mixed << u"0+0 1+0 2+0 4+0 5+0 6+0 7+0 9+0"_s;
        QTest::addRow("alternative groups take no part") << u"(a)|(b)"_s << u"ab"_s << u"0+1/0+1/- 1+1/-/1+1"_s;
        QTest::addRow("optional group") << u"(x)?y"_s << u"yxy"_s << u"0+1/- 1+2/1+1"_s;
        QTest::addRow("nested groups") << u"((a)(b)?)"_s << u"ab a"_s << u"0+2/0+2/0+1/1+1 3+1/3+1/3+1/-"_s;
        QTest::addRow("surrogate pairs count two units")
            << u"(\U0001F600+)(é)"_s << u"a\U0001F600\U0001F600é"_s << u"1+5/1+4/5+1"_s;
    }

    void results()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        const auto controller = evaluated(pattern, text);
        QTEST(described(controller->results()), "expected");
        QCOMPARE(controller->matchingError(), U_ZERO_ERROR);
    }

    void stopEndsTheRun_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("before");
        QTest::addColumn<qsizetype>("lag");
        QTest::addRow("a runaway attempt") << u"(a+)+$"_s << QString() << qsizetype(0);
        // The engine is asked where it tries next about every 10,000 steps, here some 200 positions.
        QTest::addRow("a slow search that finds nothing")
            << u".*z|(a+)+$"_s << QString(u"y"_s.repeated(99) + u'\n').repeated(3000) << qsizetype(1000);
        QTest::addRow("a long text that finds nothing")
            << u"(a+)+$"_s << QString((qsizetype(2) << 20) + 1, u'y') << qsizetype(0);
    }

    // While it runs, the progress follows the search; a stop ends it within moments, also deep in the engine.
    void stopEndsTheRun()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, before);
        QFETCH(qsizetype, lag);
        RegularExpressionController controller(compiledPattern(pattern), before + catastrophicText());
        std::atomic<bool> shouldStop = false;
        std::atomic<bool> completed = true;
        const std::unique_ptr<QThread> worker(QThread::create([&] { completed = controller.run(shouldStop); }));
        worker->start();
        QTRY_VERIFY_WITH_TIMEOUT(controller.searchedLength() >= before.size() - lag, 20000);
        QVERIFY(controller.searchedLength() <= before.size());
        shouldStop = true;
        QVERIFY(worker->wait(20000));
        QVERIFY(!completed);
    }

    // A run stopped before it began ends at once, also over an empty text that it would otherwise finish.
    void stopBeforeTheRun()
    {
        const std::atomic<bool> stopped = true;
        QVERIFY(!RegularExpressionController(compiledPattern(u"a"_s), QString()).run(stopped));
    }
};

QTEST_GUILESS_MAIN(tst_RegularExpressionController)
#include "tst_RegularExpressionController.moc"

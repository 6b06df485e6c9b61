#include "EvaluationTestSupport.h"
#include "core/evaluation/RegularExpressionController.h"
#include "core/platform/IcuString.h"

#include <QDeadlineTimer>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

// The texts below are a few Mi long: the unwatched end is made as short for them.
constexpr qsizetype testedUnwatchedLength = qsizetype(2) << 20;

class tst_RegularExpressionController final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stopEndsTheRun_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("before");
        QTest::addColumn<qsizetype>("lag");
        QTest::addRow("a runaway attempt") << u"(a+)+$"_s << QString() << qsizetype(0);
        // The engine is asked where it tries next about every 10,000 steps, here some 200 positions.
        QTest::addRow("a slow search that finds nothing")
            << u".*z|(a+)+$"_s << QString(u"y"_s.repeated(99) + u'\n').repeated(3000) << qsizetype(1000);
        // The last 2 Mi units are skipped without asking where the engine is.
        QTest::addRow("a long text that finds nothing")
            << u"(a+)+$"_s << QString((qsizetype(3) << 20), u'y') << (qsizetype(2) << 20);
        // Stopped as soon as it has begun to skip a long stretch that cannot start a match.
        QTest::addRow("a long skip") << u"xyzzy"_s << QString(qsizetype(16) << 20, u'y') << ((qsizetype(16) << 20) - 1);
    }

    // While it runs, the progress follows the search; a stop ends it within moments, also deep in the engine.
    void stopEndsTheRun()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, before);
        QFETCH(qsizetype, lag);
        RegularExpressionController controller(compiledPattern(pattern), before + catastrophicText());
        controller.setUnwatchedSkipLength(testedUnwatchedLength);
        std::atomic<bool> shouldStop = false;
        std::atomic<bool> completed = true;
        const std::unique_ptr<QThread> worker(QThread::create([&] { completed = controller.run(shouldStop); }));
        worker->start();
        // QTRY_VERIFY looks every 50 ms, about as long as the whole long skip takes.
        QDeadlineTimer deadline(20000);
        while (controller.searchedLength() < before.size() - lag && !deadline.hasExpired())
            QThread::yieldCurrentThread();
        QVERIFY(controller.searchedLength() >= before.size() - lag);
        QVERIFY(controller.searchedLength() <= before.size());
        shouldStop = true;
        QVERIFY(worker->wait(20000));
        QVERIFY(!completed);
    }

    void longTextsMatchAsOneEngineLoop_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("options");
        QTest::addRow("a date") << u"(\\d{4})-(\\d{2})-(\\d{2})"_s << 0;
        QTest::addRow("a literal that never occurs") << u"xyzzy"_s << 0;
        QTest::addRow("empty matches between code points") << u"(?<=c)|\\b"_s << 0;
        QTest::addRow("line anchors") << u"^\\w|c$"_s << 16;
        QTest::addRow("groups that take no part") << u"(a)|(b)|(\\d)"_s << 0;
        QTest::addRow("a lookahead past the match") << u"b(?=\\x{1F600}c\\n)"_s << 0;
    }

    // However a long text is watched for a stop, its matches are those of one plain engine loop over it.
    void longTextsMatchAsOneEngineLoop()
    {
        QFETCH(QString, pattern);
        QFETCH(int, options);
        // Past 2 Mi UTF-16 units, with matches, empty matches and surrogate pairs near its start and its end.
        const QString piece = u"2024-01-31 ab\U0001F600c\n"_s;
        const QString filler = QString((qsizetype(1) << 20) + 7, u'y');
        const QString text = piece.repeated(50) + filler + piece + filler + piece.repeated(50);
        const auto compiled = RegularExpression::compile(pattern, RegularExpressionOptions::fromInt(options)).pattern;
        QVERIFY(compiled);
        RegularExpressionController controller(compiled, text);
        controller.setUnwatchedSkipLength(testedUnwatchedLength);
        const std::atomic<bool> shouldStop = false;
        QVERIFY(controller.run(shouldStop));
        QCOMPARE(controller.matchingError(), U_ZERO_ERROR);

        const icu::UnicodeString input = IcuString::alias(text).value();
        UErrorCode status = U_ZERO_ERROR;
        const std::unique_ptr<icu::RegexMatcher> matcher(compiled->matcher(input, status));
        MatchResults expected(matcher->groupCount() + 1);
        while (matcher->find(status))
            expected.appendMatch(*matcher, status);
        QCOMPARE(status, U_ZERO_ERROR);
        QCOMPARE(controller.results().count(), expected.count());
        QVERIFY(controller.results() == expected);
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

#include "core/evaluation/ExpressionTestRunner.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Expectation = ExpressionTestCase::Expectation;

class tst_ExpressionTestRunner final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void verdicts_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<ExpressionTestCase>("testCase");
        QTest::addColumn<bool>("passed");
        QTest::addColumn<QString>("found");
        const auto matches = [](const QString &input, const QStringList &values, int group = 0) {
            return ExpressionTestCase(input, Expectation::matches, values, group);
        };
        QTest::addRow("match found") << u"\\d+"_s << ExpressionTestCase(u"a12b3"_s, Expectation::match) << true
                                     << u"2 matches, the first [\"12\"]"_s;
        QTest::addRow("match missing") << u"\\d"_s << ExpressionTestCase(u"ab"_s, Expectation::match) << false
                                       << u"no match"_s;
        QTest::addRow("empty input reaches the engine")
            << u"^$"_s << ExpressionTestCase(QString(), Expectation::match) << true << u"one match [\"\"]"_s;
        QTest::addRow("no match holds") << u"x"_s << ExpressionTestCase(u"ab"_s, Expectation::noMatch) << true
                                        << u"no match"_s;
        QTest::addRow("no match broken") << u"b"_s << ExpressionTestCase(u"ab"_s, Expectation::noMatch) << false
                                         << u"one match [\"b\"]"_s;
        QTest::addRow("whole match backtracks into the longer alternative")
            << u"a|ab"_s << ExpressionTestCase(u"ab"_s, Expectation::wholeMatch) << true
            << u"a match of the whole input"_s;
        QTest::addRow("part is no whole match") << u"a"_s << ExpressionTestCase(u"ab"_s, Expectation::wholeMatch)
                                                << false << u"no match of the whole input"_s;
        QTest::addRow("matches equal") << u"\\d"_s << matches(u"1a2"_s, {u"1"_s, u"2"_s}) << true << u"[\"1\",\"2\"]"_s;
        QTest::addRow("matches differ") << u"\\d"_s << matches(u"1a2"_s, {u"1"_s}) << false << u"[\"1\",\"2\"]"_s;
        QTest::addRow("group skips matches it took no part in")
            << u"(x)|y"_s << matches(u"yxy"_s, {u"x"_s}, 1) << true << u"[\"x\"]"_s;
        QTest::addRow("group the pattern lacks")
            << u"(x)"_s << matches(u"x"_s, {u"x"_s}, 2) << false << u"the pattern has no group 2"_s;
        QTest::addRow("engine failure fails the case")
            << u"(a|b)*c"_s << ExpressionTestCase(u"ab"_s.repeated(5000), Expectation::noMatch) << false
            << u"no result: "_s;
    }

    void verdicts()
    {
        QFETCH(QString, pattern);
        QFETCH(ExpressionTestCase, testCase);
        QFETCH(bool, passed);
        QFETCH(QString, found);
        // A small backtracking stack, which the long row overflows.
        const std::optional<ExpressionTestRunner::Report> report
            = ExpressionTestRunner::run(pattern, {testCase}, {{}, 1000}, std::atomic<bool>(false));
        QVERIFY(report && !report->compileError);
        const ExpressionTestRunner::Verdict verdict = report->verdicts.value(0);
        QCOMPARE(verdict.passed, passed);
        QCOMPARE(verdict.expected, testCase.expectationText());
        QVERIFY2(verdict.found.startsWith(found), qPrintable(verdict.found));
    }

    // A case made from what the engine finds passes, whatever kind it is.
    void caseForInputPasses_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("input");
        QTest::addColumn<Expectation>("expectation");
        QTest::addRow("nothing found") << u"\\d"_s << u"ab"_s << Expectation::noMatch;
        QTest::addRow("whole input") << u"\\w+"_s << u"ab"_s << Expectation::wholeMatch;
        QTest::addRow("several matches") << u"\\d"_s << u"1a2"_s << Expectation::matches;
    }

    void caseForInputPasses()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, input);
        QFETCH(Expectation, expectation);
        const auto compiled = RegularExpression::compile(pattern, {}).pattern;
        const std::atomic<bool> running = false;
        const auto testCase = ExpressionTestRunner::caseForInput(compiled, input, running, 0);
        QVERIFY(testCase);
        QCOMPARE(testCase->expectation(), expectation);
        QVERIFY(ExpressionTestRunner::run(compiled, *testCase, running, 0)->passed);
    }

    void invalidPatternAndStop()
    {
        const QList<ExpressionTestCase> tests {ExpressionTestCase(u"a"_s, Expectation::match)};
        const auto invalid = ExpressionTestRunner::run(u"(a"_s, tests, {}, std::atomic<bool>(false));
        QVERIFY(invalid && invalid->compileError && !invalid->passed());
        QVERIFY(!ExpressionTestRunner::run(u"a"_s, tests, {}, std::atomic<bool>(true)));
    }
};

QTEST_GUILESS_MAIN(tst_ExpressionTestRunner)
#include "tst_ExpressionTestRunner.moc"

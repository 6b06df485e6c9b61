#include "core/evaluation/ExpressionTestRunner.h"

#include "ExpectedOutput.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;
using Expectation = ExpressionTestCase::Expectation;

namespace {

// With a small backtracking stack, which one case overflows.
std::optional<ExpressionTestRunner::Verdict> verdict(const QString &pattern, const ExpressionTestCase &testCase)
{
    const std::optional<ExpressionTestRunner::Report> report
        = ExpressionTestRunner::run(pattern, {testCase}, {{}, 1000}, std::atomic<bool>(false));
    if (!report || report->compileError)
        return std::nullopt;
    return report->verdicts.value(0);
}

} // namespace

class tst_ExpressionTestRunner final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void verdicts()
    {
        static const QRegularExpression header(u"^\"(.*)\" tested by (\\{.*\\})$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"test-verdicts.txt"_s, header, [](const QRegularExpressionMatch &match, QString &out) {
                const auto testCase
                    = ExpressionTestCase::fromJsonObject(QJsonDocument::fromJson(match.captured(2).toUtf8()).object());
                QVERIFY(testCase);
                const auto found = verdict(match.captured(1), *testCase);
                QVERIFY(found);
                out += u"  %1, expected %2, found %3\n"_s.arg(found->passed ? u"passes"_s : u"fails"_s, found->expected,
                                                              found->found);
            });
        QVERIFY(cases > 10);
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

    void stoppedRunHasNoReport()
    {
        const QList<ExpressionTestCase> tests {ExpressionTestCase(u"a"_s, Expectation::match)};
        QVERIFY(!ExpressionTestRunner::run(u"a"_s, tests, {}, std::atomic<bool>(true)));
    }
};

QTEST_GUILESS_MAIN(tst_ExpressionTestRunner)
#include "tst_ExpressionTestRunner.moc"

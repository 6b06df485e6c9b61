#include "core/evaluation/ExpressionTestRunner.h"

#include "EvaluationTestSupport.h"
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
    // A kept test, as the library writes it, or one made from an input, which must pass: under each, its verdict.
    void verdicts()
    {
        static const QRegularExpression header(u"^\"(.*)\" (?:tested by (\\{.*\\})|makes a test of \"(.*)\")$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"test-verdicts.txt"_s, header, [](const QRegularExpressionMatch &match, QString &out) {
                std::optional<ExpressionTestCase> testCase;
                if (match.hasCaptured(3)) {
                    testCase = ExpressionTestRunner::caseForInput(compiledPattern(match.captured(1)),
                                                                  fromVisible(match.captured(3)),
                                                                  std::atomic<bool>(false), 0);
                    QVERIFY(testCase);
                    out += u"  makes "_s
                        + QString::fromUtf8(QJsonDocument(testCase->jsonObject()).toJson(QJsonDocument::Compact))
                        + u'\n';
                } else {
                    testCase = ExpressionTestCase::fromJsonObject(
                        QJsonDocument::fromJson(match.captured(2).toUtf8()).object());
                }
                QVERIFY(testCase);
                const auto found = verdict(match.captured(1), *testCase);
                QVERIFY(found);
                out += u"  %1, expected %2, found %3\n"_s.arg(found->passed ? u"passes"_s : u"fails"_s, found->expected,
                                                              found->found);
            });
        QVERIFY(cases > 10);
    }

    void stoppedRunHasNoReport()
    {
        const QList<ExpressionTestCase> tests {ExpressionTestCase(u"a"_s, Expectation::match)};
        QVERIFY(!ExpressionTestRunner::run(u"a"_s, tests, {}, std::atomic<bool>(true)));
    }
};

QTEST_GUILESS_MAIN(tst_ExpressionTestRunner)
#include "tst_ExpressionTestRunner.moc"

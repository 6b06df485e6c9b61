#include "core/evaluation/RegularExpression.h"

#include "EvaluationTestSupport.h"
#include "ExpectedOutput.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_RegularExpression : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The switches reach the engine, matches and groups come as UTF-16 ranges, and an invalid pattern says where and
    // why, in lines and columns as the engine counts them and as a position in the text.
    void compilesTheCases()
    {
        static const QRegularExpression header(u"^\"(.*?)\"(?:, switches ([imxswdl]+))?(?: in \"(.*)\")?$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"compiling.txt"_s, header, [](const QRegularExpressionMatch &match, QString &out) {
                const QString pattern = fromVisible(match.captured(1));
                const RegularExpressionOptions options = optionsFromLetters(match.captured(2));
                if (const auto error = RegularExpression::compile(pattern, options).error) {
                    out += u"  %1 at line %2, offset %3, position %4: %5\n"_s.arg(error->message)
                               .arg(error->line)
                               .arg(error->offset)
                               .arg(error->position)
                               .arg(error->reason);
                    return;
                }
                const auto evaluation = evaluated(pattern, fromVisible(match.captured(3)), options);
                QCOMPARE(evaluation->matchingError(), U_ZERO_ERROR);
                const QString found = described(evaluation->results());
                out += u"  finds "_s + (found.isEmpty() ? u"nothing"_s : found) + u'\n';
            });
        QVERIFY(cases > 25);
    }

    // Too long to compile again to tell which parenthesis is unpaired.
    void longPatternSaysLess()
    {
        const auto error = RegularExpression::compile(u"(("_s + QString(10000, u'a') + u')', {}).error;
        QVERIFY(error);
        QCOMPARE(error->message, u"U_REGEX_MISMATCHED_PAREN"_s);
        QCOMPARE(error->position, 10002);
        QCOMPARE(error->reason, u"the parentheses do not pair up"_s);
    }
};

QTEST_GUILESS_MAIN(tst_RegularExpression)
#include "tst_RegularExpression.moc"

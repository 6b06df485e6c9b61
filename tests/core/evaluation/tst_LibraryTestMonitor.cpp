#include "EvaluationTestSupport.h"
#include "core/evaluation/LibraryTestMonitor.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using Expectation = ExpressionTestCase::Expectation;

namespace {

std::shared_ptr<Expression> tested(const QString &pattern, const QString &input)
{
    auto expression = std::make_shared<Expression>(pattern, pattern, QString());
    expression->setTests({ExpressionTestCase(input, Expectation::match)});
    return expression;
}

} // namespace

class tst_LibraryTestMonitor final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { settleEvaluations(); }

    // Whatever runs are overtaken along the way, the marks end as the last edits and settings decide, and an
    // expression that leaves the library takes its mark with it.
    void marksFollowTheNewestEdits()
    {
        const auto digits = tested(u"\\d"_s, u"a1"_s);
        const auto letters = tested(u"[a-z]"_s, u"A"_s);
        const ExpressionList expressions {digits, letters, std::make_shared<Expression>()};
        LibraryTestMonitor monitor;
        QSignalSpy changes(&monitor, &LibraryTestMonitor::failingChanged);
        monitor.setExpressions(expressions);
        QTRY_VERIFY(!monitor.isRunning());
        QVERIFY(!monitor.isFailing(digits.get()));
        QVERIFY(monitor.isFailing(letters.get()));

        for (int round = 0; round < 300; ++round) {
            digits->setPattern(round % 2 == 0 ? u"x"_s : u"\\d"_s);
            if (round % 7 == 0)
                QCoreApplication::processEvents();
            if (round % 50 == 0)
                monitor.setSettings({round % 100 == 50 ? caseInsensitiveOption : RegularExpressionOption(), 0});
        }
        QTRY_VERIFY(!monitor.isRunning());
        QVERIFY(!monitor.isFailing(digits.get()));
        // The last settings are case insensitive.
        QVERIFY(!monitor.isFailing(letters.get()));

        digits->setTests({ExpressionTestCase(u"a"_s, Expectation::wholeMatch)});
        QTRY_VERIFY(monitor.isFailing(digits.get()));
        const int before = int(changes.count());
        monitor.setExpressions({letters});
        QVERIFY(!monitor.isFailing(digits.get()));
        digits->setPattern(u"a"_s);
        settleEvaluations();
        QCOMPARE(changes.count(), before);
    }
};

QTEST_GUILESS_MAIN(tst_LibraryTestMonitor)
#include "tst_LibraryTestMonitor.moc"

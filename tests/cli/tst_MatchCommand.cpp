#include "CommandTestSupport.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_MatchCommand final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printsTheMatches() { QVERIFY(compareCommandsWithExpectedOutput(u"match-command.txt"_s) > 15); }

    void helpAndVersion()
    {
        const CommandOutcome version = runQuorvale({u"--version"_s});
        QCOMPARE(version.output, "Quorvale " QUORVALE_VERSION "\n"_ba);
        QCOMPARE(version.status, 0);
        const CommandOutcome help = runQuorvale({u"--help"_s});
        QVERIFY2(help.output.contains("match PATTERN [FILE...]"), help.output.constData());
        const CommandOutcome matchHelp = runQuorvale({u"match"_s, u"--help"_s});
        QVERIFY2(matchHelp.output.contains("--case-insensitive") && matchHelp.output.contains("--json"),
                 matchHelp.output.constData());
        QCOMPARE(matchHelp.status, 0);
    }
};

QTEST_GUILESS_MAIN(tst_MatchCommand)
#include "tst_MatchCommand.moc"

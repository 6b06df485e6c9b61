#include "CommandTestSupport.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_CheckCommand final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checksTheLibrary() { QVERIFY(compareCommandsWithExpectedOutput(u"check-command.txt"_s) > 5); }
};

QTEST_GUILESS_MAIN(tst_CheckCommand)
#include "tst_CheckCommand.moc"

#include "LibraryTestSupport.h"

#include "UnexpectedWarnings.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

class tst_AppDelegate final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnUnexpectedWarnings(); }

    // What a logout, kill, Ctrl+C or a closed terminal sends ends the application through its normal quit, which
    // first writes the edit typed just before.
    void terminationSignalKeepsTheLastEdit_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::addRow("SIGTERM") << SIGTERM;
        QTest::addRow("SIGINT") << SIGINT;
        QTest::addRow("SIGHUP") << SIGHUP;
    }

    void terminationSignalKeepsTheLastEdit()
    {
        QFETCH(int, signalNumber);
        QTemporaryDir folder;
        const QString library = folder.filePath(u"expressions.json"_s);
        QVERIFY(writeLibrary(library, {u"A"_s}));
        const QString typed = u"typed just before the signal"_s;
        QProcess app;
        app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app.start(QStringLiteral(QUIT_ON_SIGNAL), {library, typed});
        QVERIFY(app.waitForStarted());
        QByteArray output;
        while (!output.contains("typed\n") && app.waitForReadyRead(60000))
            output += app.readAllStandardOutput();
        QVERIFY2(output.contains("typed\n"), output.constData());
        QCOMPARE(::kill(pid_t(app.processId()), signalNumber), 0);
        QVERIFY(app.waitForFinished(60000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        QCOMPARE(fileContent(library).at(0)[u"text"_s], typed);
    }
};

QTEST_GUILESS_MAIN(tst_AppDelegate)
#include "tst_AppDelegate.moc"

#include "LibraryTestSupport.h"

#include "UnexpectedWarnings.h"

#include <QDir>
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

    // What a logout or kill sends ends the application through its normal quit, which first writes the edit typed
    // just before; Ctrl+C and a closed terminal are the same handler's.
    void terminationSignalKeepsTheLastEdit()
    {
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
        QCOMPARE(::kill(pid_t(app.processId()), SIGTERM), 0);
        QVERIFY(app.waitForFinished(60000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        QCOMPARE(fileContent(library).at(0)[u"text"_s], typed);
    }

    // The program itself, twice: the first start imports its file, the second hands its file to the first and ends.
    void aSecondStartHandsItsFileToTheFirst()
    {
        QTemporaryDir folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_DATA_HOME"_s, folder.filePath(u"data"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, folder.filePath(u"config"_s));
        const QString data = folder.filePath(u"data/Quorvale/Quorvale"_s);
        QVERIFY(QDir().mkpath(data));
        const QString library = QDir(data).filePath(u"expressions.json"_s);
        QVERIFY(writeLibrary(library, {u"A"_s}));
        QVERIFY(writeLibrary(folder.filePath(u"first.json"_s), {u"B"_s}));
        QVERIFY(writeLibrary(folder.filePath(u"second.json"_s), {u"A"_s}));
        const auto start = [&](QProcess &app, const QString &file) {
            app.setProcessEnvironment(environment);
            app.setWorkingDirectory(folder.path());
            app.setProcessChannelMode(QProcess::ForwardedChannels);
            app.start(QStringLiteral(QUORVALE), {file});
        };

        QProcess first;
        start(first, u"first.json"_s);
        QTRY_COMPARE_WITH_TIMEOUT(fileNames(library), QStringList({u"A"_s, u"B"_s}), 60000);
        QProcess second;
        start(second, u"second.json"_s);
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(fileNames(library), QStringList({u"A"_s, u"B"_s, u"A 2"_s}), 60000);
        QCOMPARE(first.state(), QProcess::Running);
        first.terminate();
        QVERIFY(first.waitForFinished(60000));
        QCOMPARE(first.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_AppDelegate)
#include "tst_AppDelegate.moc"

#include "LibraryTestSupport.h"

#include "UnexpectedWarnings.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_AppDelegate final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnUnexpectedWarnings(); }

    // The program itself, twice: the first start imports its file, the second hands its file to the first and ends.
    // What a logout or kill sends ends the first through its normal quit, the one that writes the last edit.
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
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_AppDelegate)
#include "tst_AppDelegate.moc"

#include "core/platform/SingleInstanceChannel.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using Failure = SingleInstanceChannel::HandOverFailure;

class tst_SingleInstanceChannel final : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString name(const QString &folder) const
    {
        return SingleInstanceChannel::serverName(m_dir.filePath(folder + u"/expressions.json.lock"_s));
    }

private Q_SLOTS:
    void namesKeepDataFoldersApart()
    {
        QCOMPARE(name(u"one"_s), name(u"one"_s));
        QVERIFY(name(u"one"_s) != name(u"two"_s));
        QVERIFY(name(u"one"_s).startsWith(QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).filePath(u"quorvale-"_s)));
    }

    // Over a socket file a dead instance left; a fresh start is the application's test.
    void laterStartHandsOverItsFiles()
    {
        const QString channelName = name(u"handover"_s);
        QVERIFY(QFile(channelName).open(QIODevice::WriteOnly));
        SingleInstanceChannel running(channelName);
        QVERIFY(!running.listen());
        QSignalSpy activated(&running, &SingleInstanceChannel::activationRequested);

        // The later start waits for the answer, so it runs beside the running instance's event loop.
        std::optional<Failure> failure {Failure {Failure::Case::failed, {}}};
        const std::unique_ptr<QThread> later(QThread::create(
            [&] { failure = SingleInstanceChannel::handOver(channelName, {u"some library.json"_s}, 60s); }));
        later->start();
        QVERIFY(activated.wait(60000));
        QTRY_VERIFY(later->isFinished());
        QVERIFY2(!failure, qPrintable(failure->reason));
        QCOMPARE(activated.first().first().toStringList(),
                 QStringList {QDir::current().absoluteFilePath(u"some library.json"_s)});
    }

    void silenceIsNoAnswer_data()
    {
        QTest::addColumn<bool>("listening");
        QTest::addRow("nobody listens") << false;
        QTest::addRow("a listener that never answers") << true;
    }

    void silenceIsNoAnswer()
    {
        QFETCH(bool, listening);
        QLocalServer mute;
        QVERIFY(!listening || mute.listen(name(u"silent"_s)));
        const std::optional<Failure> failure = SingleInstanceChannel::handOver(name(u"silent"_s), {}, 300ms);
        QVERIFY(failure);
        QCOMPARE(failure->failureCase, Failure::Case::noAnswer);
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstanceChannel)
#include "tst_SingleInstanceChannel.moc"

#include "core/platform/SingleInstanceLock.h"

#include "FileSizeLimit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using State = SingleInstanceLock::State;

namespace {

bool writeLockFile(const QString &folder, const QByteArray &content, const QDateTime &modified)
{
    QFile file(QDir(folder).filePath(u"expressions.json.lock"_s));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush()
        && file.setFileTime(modified, QFileDevice::FileModificationTime);
}

} // namespace

class tst_SingleInstanceLock final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondInstanceIsRefused()
    {
        QTemporaryDir folder;
        const QString data = folder.filePath(u"data/Quorvale"_s);
        auto first = std::make_unique<SingleInstanceLock>(data);
        QCOMPARE(first->tryLock(), State::locked);
        QCOMPARE(first->tryLock(), State::locked);
        SingleInstanceLock second(data);
        QCOMPARE(second.tryLock(), State::heldByAnotherInstance);
        first.reset();
        QCOMPARE(second.tryLock(), State::locked);
    }

    void staleLockIsTakenOver_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<State>("state");
        // QLockFile's format: pid, application, host.
        QTest::addRow("process gone") << "2147480000\nquorvale\n\n"_ba << 0 << State::locked;
        QTest::addRow("empty, left by a crash") << QByteArray() << 60 << State::locked;
        QTest::addRow("unreadable, left by a crash") << "\x01garbage"_ba << 60 << State::locked;
        // Its writer may be about to fill it in.
        QTest::addRow("empty, just made") << QByteArray() << 0 << State::heldByAnotherInstance;
    }

    void staleLockIsTakenOver()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, ageSeconds);
        QFETCH(State, state);
        QTemporaryDir folder;
        QVERIFY(writeLockFile(folder.path(), content, QDateTime::currentDateTime().addSecs(-ageSeconds)));
        QCOMPARE(SingleInstanceLock(folder.path()).tryLock(std::chrono::milliseconds(0)), state);
    }

    // Only a living instance is reported as one; any other failure says why.
    void failureToLockSaysWhy_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("fileSizeLimit");
        QTest::addColumn<QString>("reason");
        QTest::addRow("full disk") << u"data"_s << 1 << u"File too large"_s;
        QTest::addRow("folder cannot be made") << u"file/data"_s << 0 << u"Not a directory"_s;
        QTest::addRow("no data folder") << QString() << 0 << u"no data folder"_s;
    }

    void failureToLockSaysWhy()
    {
        QFETCH(QString, folder);
        QFETCH(int, fileSizeLimit);
        QFETCH(QString, reason);
        QTemporaryDir home;
        QFile file(home.filePath(u"file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(QDir(home.path()).mkdir(u"data"_s));
        SingleInstanceLock lock(folder.isEmpty() ? QString() : home.filePath(folder));
        {
            const FileSizeLimit limit(fileSizeLimit ? rlim_t(fileSizeLimit) : RLIM_INFINITY);
            QCOMPARE(lock.tryLock(), State::failed);
            QCOMPARE(lock.errorString(), reason);
        }
        QCOMPARE(QDir(home.filePath(u"data"_s)).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(lock.tryLock(), folder == u"data" ? State::locked : State::failed);
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstanceLock)
#include "tst_SingleInstanceLock.moc"

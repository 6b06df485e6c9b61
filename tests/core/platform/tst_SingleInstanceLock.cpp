#include "core/platform/SingleInstanceLock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_SingleInstanceLock final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondInstanceIsRefused()
    {
        QTemporaryDir folder;
        const QString data = folder.filePath(u"data/Quorvale"_s);
        auto first = std::make_unique<SingleInstanceLock>(data);
        QVERIFY(first->tryLock());
        QVERIFY(first->tryLock());
        SingleInstanceLock second(data);
        QVERIFY(!second.tryLock());
        first.reset();
        QVERIFY(second.tryLock());
    }

    void lockOfADeadProcessIsTakenOver()
    {
        QTemporaryDir folder;
        // A lock file left by a process that no longer exists (QLockFile's format: pid, application, host).
        QFile stale(folder.filePath(u"expressions.json.lock"_s));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("2147480000\nquorvale\n\n");
        stale.close();
        QVERIFY(SingleInstanceLock(folder.path()).tryLock());
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstanceLock)
#include "tst_SingleInstanceLock.moc"

#include "core/library/JsonStore.h"
#include "core/platform/SingleInstanceLock.h"

#include "ExpectedOutput.h"
#include "FileSizeLimit.h"
#include "LibraryTestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray entry(const char *name)
{
    return R"({"name": ")" + QByteArray(name) + R"(", "pattern": "p", "text": "t"})";
}

// A device whose every write fails, as when the disk has gone away.
class FailingSaveFile final : public QSaveFile
{
public:
    using QSaveFile::QSaveFile;

protected:
    qint64 writeData(const char *, qint64) override
    {
        setErrorString(u"Input/output error"_s);
        return -1;
    }
};

} // namespace

class tst_JsonStore final : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"expressions.json"_s); }

private Q_SLOTS:
    void init() { QDir(m_dir.path()).removeRecursively(), QDir().mkpath(m_dir.path()); }

    // What this version writes for a library of another version: every string exactly as it was (escaped where JSON
    // needs it, lone surrogates included), a missing replacement as empty, keys it does not use and a replacement
    // that is not a string as they were, the keys in QJsonDocument's order.
    void savedLibraryIsTheExpectedFile()
    {
        QVERIFY(writeFile(path(), readFile(testDataPath(u"library-unusual-text.json"_s))));
        QTest::failOnWarning(QRegularExpression(u"."_s));
        JsonStore store(path());
        QVERIFY(!store.recovery());
        QVERIFY(!store.write());
        compareWithExpectedOutput(readFile(path()), u"library-unusual-text.saved.json"_s);

        // Read back and written again, nothing changes.
        const QByteArray written = readFile(path());
        QVERIFY(!JsonStore(path()).write());
        QCOMPARE(readFile(path()), written);
    }

    void failedWriteKeepsPreviousFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("fileSizeLimit");
        QTest::addColumn<bool>("failingDevice");
        QTest::addColumn<QString>("reason");
        // Small enough to sit in a write buffer, whose failed flush Qt 6.4's commit() would report as success.
        QTest::addRow("disk full, library smaller than a write buffer")
            << u"expressions.json"_s << 1024 << false << u"File too large"_s;
        QTest::addRow("path is a folder") << u"folder"_s << 0 << false << QString();
        QTest::addRow("device fails writes") << u"expressions.json"_s << 0 << true << u"Input/output error"_s;
    }

    void failedWriteKeepsPreviousFile()
    {
        QFETCH(QString, target);
        QFETCH(int, fileSizeLimit);
        QFETCH(bool, failingDevice);
        QFETCH(QString, reason);
        const QByteArray previous = '[' + entry("A") + ']';
        QVERIFY(writeFile(path(), previous) && QDir(m_dir.path()).mkdir(u"folder"_s));
        JsonStore store(m_dir.filePath(target));
        bool failWrites = failingDevice;
        store.setSaveFileFactory([&failWrites](const QString &file) -> std::unique_ptr<QSaveFile> {
            return failWrites ? std::make_unique<FailingSaveFile>(file) : std::make_unique<QSaveFile>(file);
        });
        store.items().append(std::make_shared<Expression>(u"big"_s, QString(), QString(4000, u'x')));
        const bool recovers = target == u"expressions.json";
        // Logged once, not on every failing change; a later write succeeds once the cause has gone.
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression(u"could not be saved to "_s + QRegularExpression::escape(store.path())));
        if (recovers)
            QTest::ignoreMessage(QtInfoMsg, QRegularExpression(u"saved again"_s));
        QTest::failOnWarning(QRegularExpression(u"."_s));
        {
            const FileSizeLimit limit(fileSizeLimit ? rlim_t(fileSizeLimit) : RLIM_INFINITY);
            const std::optional<LibrarySaveFailure> failure = store.write();
            QVERIFY(failure);
            QCOMPARE(failure->error, JsonStoreError::cannotSaveDataToFile);
            QCOMPARE(failure->filePath, store.path());
            QVERIFY(!failure->reason.isEmpty());
            if (!reason.isEmpty())
                QCOMPARE(failure->reason, reason);
            QCOMPARE(store.write(), failure);
        }
        QCOMPARE(readFile(path()), previous);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList(u"expressions.json"_s));
        failWrites = false;
        QCOMPARE(!store.write(), recovers);
    }

    void unreadableFileIsKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("readable");
        QTest::addRow("truncated JSON") << '[' + entry("A") + ", {\"name\": \"B" << QStringList();
        QTest::addRow("object instead of array") << entry("A") << QStringList();
        QTest::addRow("element missing text") << '[' + entry("A") + R"(, {"name": "B", "pattern": ""}, )" + entry("C")
                + ']' << QStringList({u"A"_s, u"C"_s});
        QTest::addRow("zero bytes") << QByteArray() << QStringList();
        QTest::addRow("not UTF-8") << "[{\"name\": \"caf\xE9\", \"pattern\": \"\", \"text\": \"\"}]"_ba
                                   << QStringList();
        QTest::addRow("string and number in the array") << "[\"A\", 1, " + entry("C") + ']' << QStringList(u"C"_s);
    }

    void unreadableFileIsKept()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, readable);
        QVERIFY(writeFile(path(), content));
        const QString file = QRegularExpression::escape(path());
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"^The library file %1 .+; its contents were kept in %1"
                                                "\\.broken-\\d{8}-\\d{6}$"_s.arg(file)));
        QTest::failOnWarning(QRegularExpression(u"."_s));
        JsonStore store(path());
        const QString copy = store.recovery()->keptCopyPath;
        QCOMPARE(readFile(copy), content);
        QCOMPARE(names(store.items()), readable);
        QVERIFY(!store.write());
        QCOMPARE(readFile(copy), content);
        QCOMPARE(names(JsonStore(path()).items()), readable);
    }

    // Another instance may be writing the folder: without the lock nothing in it is touched, and every write says
    // why, until the lock can be taken.
    void writesWaitForTheLock()
    {
        const QByteArray previous = '[' + entry("A") + R"(, {"name": 1}])";
        QVERIFY(writeFile(path(), previous));
        auto other = std::make_unique<SingleInstanceLock>(m_dir.path());
        QCOMPARE(other->tryLock(), SingleInstanceLock::State::locked);
        SingleInstanceLock lock(m_dir.path());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"no copy of it could be kept"_s));
        JsonStore store(path(), &lock);
        QVERIFY(store.recovery()->keptCopyPath.isEmpty());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"another running Quorvale holds it now"_s));
        const std::optional<LibrarySaveFailure> failure = store.write();
        QVERIFY(failure);
        QCOMPARE(failure->reason, u"another running Quorvale holds it now"_s);
        bool completed = false;
        store.writeInBackground([&](const std::optional<LibrarySaveFailure> &outcome) {
            completed = true;
            QCOMPARE(outcome, failure);
        });
        QVERIFY(completed);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files),
                 QStringList({u"expressions.json"_s, u"expressions.json.lock"_s}));
        QCOMPARE(readFile(path()), previous);

        other.reset();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"was kept in"_s));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(u"saved again"_s));
        QVERIFY(!store.write());
        QCOMPARE(readFile(store.recovery()->keptCopyPath), previous);
        QCOMPARE(names(JsonStore(path()).items()), QStringList(u"A"_s));
    }

    // A full disk leaves the kept copy whole too.
    void keptCopiesAreNeverOverwritten()
    {
        QVERIFY(writeFile(path(), "first"));
        const QString first = JsonStore(path()).recovery()->keptCopyPath;
        // Too large to copy under the limit, so it is renamed instead.
        const QByteArray second = "[\"" + QByteArray(10000, 'x') + "\"]";
        QVERIFY(writeFile(path(), second));
        const FileSizeLimit limit(4096);
        JsonStore store(path());
        QCOMPARE(readFile(first), "first");
        QCOMPARE(readFile(store.recovery()->keptCopyPath), second);
        QVERIFY(!store.write());
    }
};

QTEST_GUILESS_MAIN(tst_JsonStore)
#include "tst_JsonStore.moc"

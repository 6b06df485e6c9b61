#include "core/library/LibraryStoreController.h"
#include "core/platform/SingleInstanceLock.h"
#include "core/settings/UserDefaults.h"

#include "FileSizeLimit.h"
#include "LibraryTestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

class tst_LibraryStoreController final : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"expressions.json"_s); }
    UserDefaults &defaults() { return UserDefaults::standard(); }

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(u"Quorvale"_s);
        QCoreApplication::setApplicationName(u"Quorvale"_s);
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        defaults().clear();
        defaults().registerStandardDefaults();
        QDir(m_dir.path()).removeRecursively(), QDir().mkpath(m_dir.path());
    }

    void importOfOldSettings_data()
    {
        QTest::addColumn<QVariant>("pattern");
        QTest::addColumn<QVariant>("text");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<bool>("imported");
        const QVariant none;
        const QVariant pattern(u"first expression"_s);
        const QVariant text(u"aaa"_s);
        QTest::addRow("both strings") << pattern << text << QStringList() << true;
        QTest::addRow("after an existing library") << pattern << text << QStringList({u"A"_s, u"B"_s}) << true;
        QTest::addRow("only pattern") << pattern << none << QStringList() << false;
        QTest::addRow("only text") << none << text << QStringList() << false;
        QTest::addRow("pattern holds archived bytes") << QVariant("bplist00\x01"_ba) << text << QStringList() << false;
        QTest::addRow("text holds a list") << pattern << QVariant(QStringList(u"x"_s)) << QStringList() << false;
    }

    void importOfOldSettings()
    {
        QFETCH(QVariant, pattern);
        QFETCH(QVariant, text);
        QFETCH(QStringList, existing);
        QFETCH(bool, imported);
        defaults().setValue(UserDefaultsKey::pattern, pattern);
        defaults().setValue(UserDefaultsKey::text, text);
        defaults().synchronize();
        if (!existing.isEmpty())
            QVERIFY(writeLibrary(path(), existing));

        const LibraryStoreController controller(path());
        const QJsonObject added {{u"name"_s, u"First Expression"_s},
                                 {u"pattern"_s, imported ? pattern.toString() : QString()},
                                 {u"text"_s, imported ? text.toString() : QString()},
                                 {u"replacement"_s, QString()}};
        QCOMPARE(controller.expressions().constLast()->jsonObject(), added);
        QCOMPARE(controller.expressions().size(), existing.size() + 1);
        QCOMPARE(fileContent(path()), imported ? library(existing) + added : library(existing));
        QCOMPARE(defaults().storedValue(u"pattern"_s).isValid(), !imported && pattern.isValid());
        QCOMPARE(defaults().storedValue(u"text"_s).isValid(), !imported && text.isValid());
    }

    void oldSettingsStayUntilTheImportIsSaved()
    {
        defaults().setValue(UserDefaultsKey::pattern, u"a+"_s);
        defaults().setValue(UserDefaultsKey::text, u"aaa"_s);
        const QString blocker = m_dir.filePath(u"blocker"_s);
        QVERIFY(writeFile(blocker, "a file where the library folder should be"));
        LibraryStoreController controller(blocker + u"/expressions.json"_s);
        QCOMPARE(controller.expressions().constFirst()->pattern(), u"a+");
        QVERIFY(defaults().storedValue(u"pattern"_s).isValid() && defaults().storedValue(u"text"_s).isValid());

        QVERIFY(QFile::remove(blocker));
        controller.expressions().constFirst()->setName(u"Renamed"_s);
        controller.waitForSaves();
        QCOMPARE(fileContent(controller.libraryFilePath()).at(0)[u"pattern"_s], u"a+"_s);
        QTRY_VERIFY(!defaults().storedValue(u"pattern"_s).isValid() && !defaults().storedValue(u"text"_s).isValid());
    }

    // Edits are written in the background while list changes are written at once: an older edit must never land
    // over a newer state.
    void rapidEditsEndInTheNewestState()
    {
        QVERIFY(writeLibrary(path(), {u"A"_s, u"B"_s}));
        LibraryStoreController controller(path());
        const QString text(100'000, u'x');
        for (int length = 1; length <= 200; ++length)
            controller.expressions().at(0)->setText(text.left(length * 500));
        controller.moveFrom(0, 1);
        controller.expressions().at(0)->setName(u"Last"_s);
        controller.waitForSaves();
        const QJsonArray written = fileContent(path());
        QCOMPARE(written.size(), 2);
        QCOMPARE(written.at(0)[u"name"_s], u"Last"_s);
        QCOMPARE(written.at(1)[u"text"_s], text);
    }

    void listChangesAreSavedAndAnnounced_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("move first to last") << 0 << 2 << QStringList({u"B"_s, u"C"_s, u"A"_s});
        QTest::addRow("replace by a new one") << -1 << -1 << QStringList(u"New Expression"_s);
        QTest::addRow("replace by nothing") << -1 << -1 << QStringList();
    }

    void listChangesAreSavedAndAnnounced()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, expected);
        QVERIFY(writeLibrary(path(), {u"A"_s, u"B"_s, u"C"_s}));
        LibraryStoreController controller(path());
        const auto first = controller.expressions().constFirst();
        QSignalSpy aboutToChange(&controller, &LibraryStoreController::expressionsAboutToChange);
        QSignalSpy changed(&controller, &LibraryStoreController::expressionsChanged);
        if (from >= 0) {
            controller.moveFrom(from, to);
        } else {
            const ExpressionList replacement(expected.size(), std::make_shared<Expression>());
            QVERIFY(controller.setProperty("expressions", QVariant::fromValue(replacement)));
        }
        QCOMPARE(names(controller.expressions()), expected);
        QVERIFY(aboutToChange.count() == 1 && changed.count() == 1);
        QCOMPARE(first->delegate() == &controller, from >= 0);
        for (const auto &expression : controller.expressions())
            QCOMPARE(expression->delegate(), &controller);
        QCOMPARE(fileContent(path()).size(), expected.size());
        // A restart adds an empty "First Expression" to an empty library but does not save it.
        const LibraryStoreController restarted(path());
        QCOMPARE(names(restarted.expressions()), expected.isEmpty() ? QStringList(u"First Expression"_s) : expected);
        QCOMPARE(fileContent(path()).size(), expected.size());
    }

    // Saves of edits fail on the writer's thread; the failure is told on the controller's thread, once while it
    // lasts, and goes with the next save that succeeds.
    void saveFailureIsToldUntilASaveSucceeds()
    {
        const QString folder = m_dir.filePath(u"library"_s);
        QVERIFY(QDir().mkpath(folder) && writeLibrary(folder + u"/expressions.json"_s, {u"A"_s}));
        LibraryStoreController controller(folder + u"/expressions.json"_s);
        QList<QThread *> threads;
        connect(
            &controller, &LibraryStoreController::saveFailureChanged, this,
            [&threads] { threads.append(QThread::currentThread()); }, Qt::DirectConnection);
        QSignalSpy changed(&controller, &LibraryStoreController::saveFailureChanged);
        const std::shared_ptr<Expression> expression = controller.expressions().constFirst();

        QVERIFY(QDir(folder).removeRecursively() && writeFile(folder, "a file where the library folder was"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"could not be saved"_s));
        expression->setText(u"typed"_s);
        QVERIFY(changed.wait());
        QCOMPARE(controller.saveFailure()->filePath, controller.libraryFilePath());
        QCOMPARE(controller.saveFailure()->reason, u"Not a directory"_s);
        expression->setText(u"typed more"_s);
        QVERIFY(!controller.saveNow());
        controller.finishSaves();
        QCOMPARE(changed.count(), 1);

        QVERIFY(QFile::remove(folder));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(u"saved again"_s));
        expression->setText(u"typed at last"_s);
        QVERIFY(changed.wait());
        QVERIFY(!controller.saveFailure());
        QCOMPARE(fileContent(controller.libraryFilePath()).at(0)[u"text"_s], u"typed at last"_s);
        QCOMPARE(threads, QList<QThread *>(2, QThread::currentThread()));
    }

    // QSaveFile's temporary files, where the file system cannot make them nameless, stay behind when the process
    // dies in a save; the next start that holds the lock removes them and nothing else.
    void leftoversOfAnUnfinishedSaveAreRemoved_data()
    {
        QTest::addColumn<bool>("heldElsewhere");
        QTest::addRow("lock held") << false;
        QTest::addRow("lock held by another instance") << true;
    }

    void leftoversOfAnUnfinishedSaveAreRemoved()
    {
        QFETCH(bool, heldElsewhere);
        QVERIFY(writeLibrary(path(), {u"A"_s}));
        const QStringList kept {u"expressions.json"_s,
                                u"expressions.json.backup-1"_s,
                                u"expressions.json.backup"_s,
                                u"expressions.json.old123"_s,
                                u"expressions.json.broken-20260101-000000"_s,
                                u"other.json.Ab12Cd"_s};
        const QStringList leftovers {u"expressions.json.Ab12Cd"_s, u"expressions.json.9zZzzz"_s};
        for (const QString &name : kept + leftovers)
            QVERIFY(name == u"expressions.json" || writeFile(m_dir.filePath(name), "[{\"name\": \"A\""));
        SingleInstanceLock other(m_dir.path());
        if (heldElsewhere)
            QCOMPARE(other.tryLock(), SingleInstanceLock::State::locked);
        SingleInstanceLock lock(m_dir.path());
        if (heldElsewhere)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"another running Quorvale holds it now"_s));
        if (!heldElsewhere) {
            QTest::ignoreMessage(QtInfoMsg, QRegularExpression(u"Ab12Cd, left by a save that never finished"_s));
            QTest::ignoreMessage(QtInfoMsg, QRegularExpression(u"9zZzzz, left by a save that never finished"_s));
        }
        const LibraryStoreController controller(path(), &lock);
        QStringList expected = heldElsewhere ? kept + leftovers : kept;
        expected.append(u"expressions.json.lock"_s);
        expected.sort();
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), expected);
        QCOMPARE(names(controller.expressions()), QStringList(u"A"_s));
    }

    void recoveredLibraryIsSavedAtOnce()
    {
        const QByteArray content = R"([{"name": "A", "pattern": "a", "text": ""}, {"name": 1}])";
        QVERIFY(writeFile(path(), content));
        const LibraryStoreController controller(path());
        QCOMPARE(readFile(controller.recovery()->keptCopyPath), content);
        QCOMPARE(fileContent(path()), library({u"A"_s}));
        QVERIFY(!LibraryStoreController(path()).recovery());
    }

    // One keystroke when the disk has just filled: the library on disk stays whole, the user is told, and the next
    // start finds every expression.
    void typingOnAFullDiskKeepsTheLibrary()
    {
        QVERIFY(writeLibrary(path(), {u"A"_s, u"B"_s, u"C"_s}));
        const QByteArray previous = readFile(path());
        {
            LibraryStoreController controller(path());
            QSignalSpy failed(&controller, &LibraryStoreController::saveFailureChanged);
            const FileSizeLimit limit(64);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"could not be saved to .+ \\(File too large\\)"_s));
            controller.expressions().at(1)->setText(u"x"_s);
            QVERIFY(failed.wait());
            QCOMPARE(controller.saveFailure()->reason, u"File too large"_s);
            QCOMPARE(readFile(path()), previous);
        }
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList(u"expressions.json"_s));
        QCOMPARE(names(LibraryStoreController(path()).expressions()), QStringList({u"A"_s, u"B"_s, u"C"_s}));
    }
};

QTEST_GUILESS_MAIN(tst_LibraryStoreController)
#include "tst_LibraryStoreController.moc"

#include "core/settings/UserDefaults.h"
#include "core/settings/UserDefaultsObserver.h"
#include "core/settings/UserDefaultsObserverDelegate.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class RecordingDelegate final : public UserDefaultsObserverDelegate
{
public:
    void userDefaultsObserverDidChangeValue(UserDefaultsObserver *, const QVariant &newValue,
                                            UserDefaultsKey key) override
    {
        reports.append(keyString(key) + u'=' + newValue.toString());
    }
    QStringList reports;
};

} // namespace

class tst_UserDefaults final : public QObject
{
    Q_OBJECT
    UserDefaults &defaults() { return UserDefaults::standard(); }

private Q_SLOTS:
    void init()
    {
        defaults().clear();
        defaults().registerStandardDefaults();
    }

    void wrongTypesFallBack_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("expected");
        QTest::addRow("text for an integer") << u"appearanceMode"_s << QVariant(u"abc"_s) << QVariant(2);
        QTest::addRow("out-of-range integer kept") << u"referenceType"_s << QVariant(7) << QVariant(7);
        QTest::addRow("numeric text as integer") << u"appearanceMode"_s << QVariant(u"1"_s) << QVariant(1);
        QTest::addRow("text for the stack limit")
            << u"backtrackStackLimit"_s << QVariant(u"8 MB"_s) << QVariant(defaultBacktrackStackLimit);
        QTest::addRow("text for a switch") << u"multiline"_s << QVariant(u"maybe"_s) << QVariant(false);
        QTest::addRow("number for a switch") << u"caseInsensitive"_s << QVariant(1) << QVariant(true);
        QTest::addRow("list for a switch") << u"showLeftPanel"_s << QVariant(QStringList {u"x"_s}) << QVariant(false);
    }

    void wrongTypesFallBack()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        defaults().setValue(key, stored);
        QTEST(defaults().value(key), "expected");
    }

    // A file from before the newer matching switches reads as it did, gains them switched off, and is not rewritten.
    void earlierSettingsFileLoadsAsBefore()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"settings.conf"_s);
        const QByteArray earlier = "[General]\nappearanceMode=1\ncaseInsensitive=true\nmultiline=false\n"
                                   "allowCommentsAndWhitespace=true\ntimeBudget=5\npattern=a+\n";
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(earlier);
        }
        {
            UserDefaults store(path);
            store.registerStandardDefaults();
            QCOMPARE(store.value(UserDefaultsKey::appearanceMode), QVariant(1));
            QCOMPARE(store.value(UserDefaultsKey::caseInsensitive), QVariant(true));
            // The file keeps only text; the types must come back all the same.
            QCOMPARE(store.value(UserDefaultsKey::caseInsensitive).typeId(), QMetaType::Bool);
            QCOMPARE(store.value(UserDefaultsKey::appearanceMode).typeId(), QMetaType::Int);
            QCOMPARE(store.value(UserDefaultsKey::multiline), QVariant(false));
            QCOMPARE(store.value(UserDefaultsKey::allowCommentsAndWhitespace), QVariant(true));
            QCOMPARE(store.value(UserDefaultsKey::timeBudget), QVariant(5));
            QCOMPARE(store.value(UserDefaultsKey::pattern), QVariant(u"a+"_s));
            for (const UserDefaultsKey key :
                 {UserDefaultsKey::dotMatchesLineSeparators, UserDefaultsKey::unicodeWordBoundaries,
                  UserDefaultsKey::unixLineSeparators, UserDefaultsKey::patternIsLiteral}) {
                QCOMPARE(store.value(key), QVariant(false));
                QVERIFY(!store.storedValue(keyString(key)).isValid());
            }
            QVERIFY(store.synchronize());
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), earlier);
    }

    void observerReports_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariantList>("writes");
        QTest::addColumn<QStringList>("reported");
        QTest::addRow("comments switch is reported from the first change")
            << u"allowCommentsAndWhitespace"_s << QVariantList {true, false}
            << QStringList {u"allowCommentsAndWhitespace=true"_s, u"allowCommentsAndWhitespace=false"_s};
        QTest::addRow("a newer switch is reported from the first change")
            << u"dotMatchesLineSeparators"_s << QVariantList {true} << QStringList {u"dotMatchesLineSeparators=true"_s};
        QTest::addRow("writing the current value is silent")
            << u"multiline"_s << QVariantList {false, true, true} << QStringList {u"multiline=true"_s};
        QTest::addRow("integers") << u"appearanceMode"_s << QVariantList {2, 0, 1}
                                  << QStringList {u"appearanceMode=0"_s, u"appearanceMode=1"_s};
        QTest::addRow("removal back to the default is reported")
            << u"referenceType"_s << QVariantList {1, QVariant()}
            << QStringList {u"referenceType=1"_s, u"referenceType=0"_s};
        QTest::addRow("unregistered key: neither its first change nor its removal")
            << u"pattern"_s << QVariantList {u"a+"_s, u"b+"_s, QVariant()} << QStringList {u"pattern=b+"_s};
        QTest::addRow("unknown key") << u"somethingElse"_s << QVariantList {1, 2} << QStringList();
    }

    void observerReports()
    {
        QFETCH(QString, key);
        QFETCH(QVariantList, writes);
        RecordingDelegate delegate;
        UserDefaultsObserver observer(&delegate);
        for (const QVariant &value : std::as_const(writes))
            defaults().setValue(key, value);
        QTEST(delegate.reports, "reported");
    }
};

QTEST_GUILESS_MAIN(tst_UserDefaults)
#include "tst_UserDefaults.moc"

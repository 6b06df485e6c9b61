#include "settings/UserDefaults.h"
#include "settings/UserDefaultsObserver.h"
#include "settings/UserDefaultsObserverDelegate.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Report
{
    QVariant newValue;
    UserDefaultsKey key;
};

class RecordingDelegate final : public UserDefaultsObserverDelegate
{
public:
    void userDefaultsObserverDidChangeValue(UserDefaultsObserver *, const QVariant &newValue,
                                            UserDefaultsKey key) override
    {
        reports.append({newValue, key});
    }
    QList<Report> reports;
};

} // namespace

class tst_UserDefaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void registeredDefaults();
    void registrationKeepsStoredValues();
    void regularExpressionOptions_data();
    void regularExpressionOptions();
    void wrongTypesFallBack_data();
    void wrongTypesFallBack();
    void valuesSurviveReopening();
    void observerReports_data();
    void observerReports();
    void unregisteredKeyFirstChangeIsNotReported();
    void observerIgnoresUnknownKeys();

private:
    UserDefaults &defaults() { return UserDefaults::standard(); }
};

void tst_UserDefaults::init()
{
    defaults().clear();
    defaults().registerStandardDefaults();
}

void tst_UserDefaults::registeredDefaults()
{
    QCOMPARE(defaults().integerValue(UserDefaultsKey::appearanceMode), 2);
    QCOMPARE(defaults().integerValue(UserDefaultsKey::referenceType), 0);
    QCOMPARE(defaults().integerValue(UserDefaultsKey::timeBudget), 10);
    QCOMPARE(defaults().boolValue(UserDefaultsKey::showLeftPanel), false);
    QCOMPARE(defaults().value(UserDefaultsKey::allowCommentsAndWhitespace), QVariant(false));
    QVERIFY(!defaults().value(UserDefaultsKey::pattern).isValid());
    QVERIFY(!defaults().value(UserDefaultsKey::text).isValid());
    // Registration lives in memory only.
    QVERIFY(!defaults().storedValue(QStringLiteral("appearanceMode")).isValid());
}

void tst_UserDefaults::registrationKeepsStoredValues()
{
    defaults().setValue(UserDefaultsKey::appearanceMode, 1);
    defaults().registerStandardDefaults();
    QCOMPARE(defaults().integerValue(UserDefaultsKey::appearanceMode), 1);
    defaults().removeValue(UserDefaultsKey::appearanceMode);
    QCOMPARE(defaults().integerValue(UserDefaultsKey::appearanceMode), 2);
}

void tst_UserDefaults::regularExpressionOptions_data()
{
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<bool>("comments");
    QTest::addColumn<bool>("multiline");
    QTest::addColumn<int>("options");
    QTest::addRow("all off") << false << false << false << 0;
    QTest::addRow("case insensitive") << true << false << false << 1;
    QTest::addRow("comments and whitespace") << false << true << false << 2;
    QTest::addRow("anchors match lines") << false << false << true << 16;
    QTest::addRow("all on") << true << true << true << 19;
}

void tst_UserDefaults::regularExpressionOptions()
{
    QFETCH(bool, caseInsensitive);
    QFETCH(bool, comments);
    QFETCH(bool, multiline);
    defaults().setValue(UserDefaultsKey::caseInsensitive, caseInsensitive);
    defaults().setValue(UserDefaultsKey::allowCommentsAndWhitespace, comments);
    defaults().setValue(UserDefaultsKey::multiline, multiline);
    QTEST(defaults().regularExpressionOptions(), "options");
}

void tst_UserDefaults::wrongTypesFallBack_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("expected");
    QTest::addRow("text for an integer") << u"appearanceMode"_s << QVariant(u"abc"_s) << QVariant(2);
    QTest::addRow("out-of-range integer kept") << u"referenceType"_s << QVariant(7) << QVariant(7);
    QTest::addRow("numeric text as integer") << u"appearanceMode"_s << QVariant(u"1"_s) << QVariant(1);
    QTest::addRow("text for a switch") << u"multiline"_s << QVariant(u"maybe"_s) << QVariant(false);
    QTest::addRow("number for a switch") << u"caseInsensitive"_s << QVariant(1) << QVariant(true);
    QTest::addRow("list for a switch") << u"showLeftPanel"_s << QVariant(QStringList{u"x"_s}) << QVariant(false);
}

void tst_UserDefaults::wrongTypesFallBack()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    defaults().setValue(key, stored);
    QTEST(defaults().value(key), "expected");
}

void tst_UserDefaults::valuesSurviveReopening()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.conf"));
    {
        UserDefaults store(path);
        store.setValue(UserDefaultsKey::multiline, true);
        store.setValue(UserDefaultsKey::appearanceMode, 1);
        QVERIFY(store.synchronize());
    }
    UserDefaults reopened(path);
    QCOMPARE(reopened.boolValue(UserDefaultsKey::multiline), true);
    QCOMPARE(reopened.integerValue(UserDefaultsKey::appearanceMode), 1);
    QCOMPARE(reopened.value(UserDefaultsKey::multiline).typeId(), QMetaType::Bool);
}

void tst_UserDefaults::observerReports_data()
{
    QTest::addColumn<UserDefaultsKey>("key");
    QTest::addColumn<QVariantList>("writes");
    QTest::addColumn<QVariantList>("reported");
    QTest::addRow("first change of a registered switch")
        << UserDefaultsKey::showLeftPanel << QVariantList{true} << QVariantList{true};
    QTest::addRow("comments switch is reported from the first change")
        << UserDefaultsKey::allowCommentsAndWhitespace << QVariantList{true, false} << QVariantList{true, false};
    QTest::addRow("writing the current value is silent")
        << UserDefaultsKey::multiline << QVariantList{false, true, true} << QVariantList{true};
    QTest::addRow("integers") << UserDefaultsKey::appearanceMode << QVariantList{2, 0, 1} << QVariantList{0, 1};
    QTest::addRow("removal back to the default is reported")
        << UserDefaultsKey::referenceType << QVariantList{1, QVariant()} << QVariantList{1, 0};
}

void tst_UserDefaults::observerReports()
{
    QFETCH(UserDefaultsKey, key);
    QFETCH(QVariantList, writes);
    RecordingDelegate delegate;
    UserDefaultsObserver observer(&delegate);
    for (const QVariant &value : std::as_const(writes))
        defaults().setValue(key, value);
    QVariantList reported;
    for (const Report &report : std::as_const(delegate.reports)) {
        QCOMPARE(report.key, key);
        reported.append(report.newValue);
    }
    QTEST(reported, "reported");
}

void tst_UserDefaults::unregisteredKeyFirstChangeIsNotReported()
{
    RecordingDelegate delegate;
    UserDefaultsObserver observer(&delegate);
    defaults().setValue(UserDefaultsKey::pattern, u"a+"_s);
    QVERIFY(delegate.reports.isEmpty());
    defaults().setValue(UserDefaultsKey::pattern, u"b+"_s);
    QCOMPARE(delegate.reports.size(), 1);
    QCOMPARE(delegate.reports.first().newValue, QVariant(u"b+"_s));
    defaults().removeValue(UserDefaultsKey::pattern);
    QCOMPARE(delegate.reports.size(), 1);
}

void tst_UserDefaults::observerIgnoresUnknownKeys()
{
    RecordingDelegate delegate;
    UserDefaultsObserver observer(&delegate);
    defaults().setValue(QStringLiteral("somethingElse"), 1);
    defaults().setValue(QStringLiteral("somethingElse"), 2);
    QVERIFY(delegate.reports.isEmpty());
}

QTEST_GUILESS_MAIN(tst_UserDefaults)
#include "tst_UserDefaults.moc"

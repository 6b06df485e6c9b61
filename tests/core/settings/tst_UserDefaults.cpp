#include "core/settings/UserDefaults.h"
#include "core/settings/UserDefaultsObserver.h"
#include "core/settings/UserDefaultsObserverDelegate.h"

#include "ExpectedOutput.h"

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

// A value as the cases write it: "text" in quotes, [text] a list of one, true or false, a number, or removed.
QVariant valueWritten(const QString &text)
{
    if (text == u"removed")
        return {};
    if (text == u"true" || text == u"false")
        return text == u"true";
    if (text.startsWith(u'"'))
        return text.sliced(1, text.size() - 2);
    if (text.startsWith(u'['))
        return QStringList(text.sliced(1, text.size() - 2));
    return text.toInt();
}

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

    // The cases are the file's lines: a key, then a value stored under it and read back, or values written one after
    // the other while an observer listens; under each, what is read or what the observer is told.
    void valuesAsReadAndReported()
    {
        static const QRegularExpression header(u"^(\\w+) (stored|written) (.*)$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"settings-values.txt"_s, header, [this](const QRegularExpressionMatch &match, QString &out) {
                init();
                const QString key = match.captured(1);
                RecordingDelegate delegate;
                const auto observer
                    = match.captured(2) == u"written" ? std::make_unique<UserDefaultsObserver>(&delegate) : nullptr;
                for (const QString &written : match.captured(3).split(u", "_s))
                    defaults().setValue(key, valueWritten(written));
                if (!observer)
                    out += u"  reads %1 %2\n"_s.arg(QString::fromLatin1(defaults().value(key).typeName()),
                                                    defaults().value(key).toString());
                for (const QString &report : std::as_const(delegate.reports))
                    out += u"  told "_s + report + u'\n';
            });
        QVERIFY(cases > 10);
    }
};

QTEST_GUILESS_MAIN(tst_UserDefaults)
#include "tst_UserDefaults.moc"

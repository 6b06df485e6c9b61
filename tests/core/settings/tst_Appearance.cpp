#include "TestSettings.h"
#include "core/platform/SystemAppearanceMonitor.h"
#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "core/settings/AppearanceControllerDelegate.h"
#include "core/settings/UserDefaults.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class RecordingDelegate final : public AppearanceControllerDelegate
{
public:
    void appearanceDidChange(AppearanceController *, const Appearance &appearance) override
    {
        darkFlags.append(appearance.isDark());
    }
    QList<bool> darkFlags;
};

} // namespace

class tst_Appearance final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startClean(); }

    void cleanup() { SystemAppearanceMonitor::instance().setOverride(std::nullopt); }

    void colorParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("color");
        QTest::addRow("upper case") << u"#0091FF"_s << QColor(0, 145, 255);
        QTest::addRow("surrounding white space and lower case") << u" #0091ff\n"_s << QColor(0, 145, 255);
        QTest::addRow("no number sign") << u"0091FF"_s << QColor();
        QTest::addRow("six characters") << u"#0091F"_s << QColor();
        QTest::addRow("nine characters") << u"#0091FF00"_s << QColor();
        QTest::addRow("component without a digit reads 0") << u"#GG0000"_s << QColor(0, 0, 0);
        QTest::addRow("digits up to the first non-digit") << u"#1G0000"_s << QColor(1, 0, 0);
        QTest::addRow("combining mark keeps seven characters") << u"#A\u0301BCDEF"_s << QColor(10, 188, 222);
    }

    void colorParsing()
    {
        QFETCH(QString, text);
        QFETCH(QColor, color);
        const std::optional<QColor> parsed = colorWithRgb(text, 0.5);
        QCOMPARE(parsed.has_value(), color.isValid());
        if (!parsed)
            return;
        QCOMPARE(parsed->rgb(), color.rgb());
        QVERIFY(qAbs(parsed->alphaF() - 0.5F) < 0.001F);
    }

    void choosesPalette_data()
    {
        QTest::addColumn<QVariant>("mode");
        QTest::addColumn<SystemAppearance>("system");
        QTest::addColumn<bool>("dark");
        QTest::addRow("light setting on a dark desktop") << QVariant(0) << SystemAppearance::dark << false;
        QTest::addRow("dark setting on a light desktop") << QVariant(1) << SystemAppearance::light << true;
        QTest::addRow("default follows a dark desktop") << QVariant() << SystemAppearance::dark << true;
        QTest::addRow("default follows a light desktop") << QVariant() << SystemAppearance::light << false;
        QTest::addRow("3 follows the desktop") << QVariant(3) << SystemAppearance::dark << true;
        QTest::addRow("-1 follows the desktop") << QVariant(-1) << SystemAppearance::dark << true;
    }

    void choosesPalette()
    {
        QFETCH(QVariant, mode);
        QFETCH(SystemAppearance, system);
        if (mode.isValid())
            UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, mode);
        SystemAppearanceMonitor::instance().setOverride(system);
        QTEST(AppearanceController().appearance()->isDark(), "dark");
    }

    void notifiesEveryChange()
    {
        AppearanceController controller;
        RecordingDelegate delegate;
        // Without a delegate a change must go nowhere rather than crash.
        UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 1);
        controller.setDelegate(&delegate);
        UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 0);
        // The desktop changing while the setting pins the light palette still reports, with the palette unchanged.
        SystemAppearanceMonitor::instance().setOverride(SystemAppearance::dark);
        UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 2);
        UserDefaults::standard().setValue(UserDefaultsKey::caseInsensitive, true);
        QCOMPARE(delegate.darkFlags, (QList<bool> {false, false, true}));
    }
};

QTEST_GUILESS_MAIN(tst_Appearance)
#include "tst_Appearance.moc"

#include "platform/SystemAppearanceMonitor.h"
#include "settings/AppearanceController.h"
#include "settings/AppearanceControllerDelegate.h"
#include "settings/DarkAppearance.h"
#include "settings/LightAppearance.h"
#include "settings/UserDefaults.h"

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

class tst_Appearance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void colorParsing_data();
    void colorParsing();
    void paletteValues();
    void highlightColorAlternates_data();
    void highlightColorAlternates();
    void choosesPalette_data();
    void choosesPalette();
    void notifiesEveryChange();
};

void tst_Appearance::init()
{
    UserDefaults::standard().clear();
    UserDefaults::standard().registerStandardDefaults();
    SystemAppearanceMonitor::instance().setOverride(SystemAppearance::light);
}

void tst_Appearance::cleanup()
{
    SystemAppearanceMonitor::instance().setOverride(std::nullopt);
}

void tst_Appearance::colorParsing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addRow("upper case") << u"#0091FF"_s << true << 0 << 145 << 255;
    QTest::addRow("surrounding white space and lower case") << u" #0091ff\n"_s << true << 0 << 145 << 255;
    QTest::addRow("no number sign") << u"0091FF"_s << false << 0 << 0 << 0;
    QTest::addRow("six characters") << u"#0091F"_s << false << 0 << 0 << 0;
    QTest::addRow("nine characters") << u"#0091FF00"_s << false << 0 << 0 << 0;
    QTest::addRow("empty") << QString() << false << 0 << 0 << 0;
    QTest::addRow("component without a digit reads 0") << u"#GG0000"_s << true << 0 << 0 << 0;
    QTest::addRow("digits up to the first non-digit") << u"#1G0000"_s << true << 1 << 0 << 0;
    QTest::addRow("combining mark keeps seven characters") << u"#A\u0301BCDEF"_s << true << 10 << 188 << 222;
}

void tst_Appearance::colorParsing()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    const std::optional<QColor> color = colorWithRgb(text, 0.5);
    QCOMPARE(color.has_value(), valid);
    if (!valid)
        return;
    QTEST(color->red(), "red");
    QTEST(color->green(), "green");
    QTEST(color->blue(), "blue");
    QVERIFY(qAbs(color->alphaF() - 0.5F) < 0.001F);
}

void tst_Appearance::paletteValues()
{
    const LightAppearance light;
    const DarkAppearance dark;
    QCOMPARE(light.placeholderColor(), (Color{u"#000000"_s, 0.3F}));
    QCOMPARE(dark.placeholderColor(), (Color{u"#ffffff"_s, 0.3F}));
    QCOMPARE(light.errorColor(), (Color{u"#EB4642"_s, 0.9F}));
    QCOMPARE(dark.errorColor(), (Color{u"#EB4642"_s, 0.7F}));
    QCOMPARE(dark.textColor().rgb, u"#ffffff"_s);
    QCOMPARE(light.librarySelectionColor(), dark.librarySelectionColor());
    // Every member of both palettes must convert; the views never check.
    for (const Appearance *palette : {static_cast<const Appearance *>(&light), static_cast<const Appearance *>(&dark)}) {
        const QList<Color> colors{palette->librarySelectionColor(), palette->matchColor(), palette->alternateMatchColor(),
            palette->highlightingLabelColor(), palette->highlightingLabelBoxColor(), palette->outputTextColor(),
            palette->patternTextColor(), palette->errorColor(), palette->warningColor(), palette->textBoxColor(),
            palette->placeholderColor(), palette->plainTextColor(), palette->escapedCharacterColor(),
            palette->specialCharacterColor(), palette->commentColor(), palette->highlightedGroupColor(),
            palette->metacharacterColor(), palette->patternSelectionColor(), palette->patternSelectedTextColor(),
            palette->outputSelectionColor(), palette->outputSelectedTextColor(), palette->textColor(),
            palette->linkColor(), palette->hoverLinkColor()};
        for (const Color &color : colors)
            QVERIFY2(color.toQColor().isValid(), qPrintable(color.rgb));
    }
}

void tst_Appearance::highlightColorAlternates_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("alternate");
    QTest::addRow("0") << 0 << false;
    QTest::addRow("1") << 1 << true;
    QTest::addRow("2") << 2 << false;
    QTest::addRow("3") << 3 << true;
    QTest::addRow("-1") << -1 << false;
}

void tst_Appearance::highlightColorAlternates()
{
    QFETCH(int, index);
    QFETCH(bool, alternate);
    const LightAppearance light;
    QCOMPARE(light.highlightColor(index), alternate ? light.alternateMatchColor() : light.matchColor());
}

void tst_Appearance::choosesPalette_data()
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
    QTest::addRow("garbage follows the desktop") << QVariant(u"abc"_s) << SystemAppearance::dark << true;
}

void tst_Appearance::choosesPalette()
{
    QFETCH(QVariant, mode);
    QFETCH(SystemAppearance, system);
    if (mode.isValid())
        UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, mode);
    SystemAppearanceMonitor::instance().setOverride(system);
    AppearanceController controller;
    QTEST(controller.appearance()->isDark(), "dark");
}

void tst_Appearance::notifiesEveryChange()
{
    AppearanceController controller;
    RecordingDelegate delegate;
    UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 1);
    QVERIFY(delegate.darkFlags.isEmpty());

    controller.setDelegate(&delegate);
    UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 0);
    // The desktop changing while the setting pins the light palette still reports, with the palette unchanged.
    SystemAppearanceMonitor::instance().setOverride(SystemAppearance::dark);
    UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 2);
    UserDefaults::standard().setValue(UserDefaultsKey::caseInsensitive, true);
    QCOMPARE(delegate.darkFlags, (QList<bool>{false, false, true}));
}

QTEST_GUILESS_MAIN(tst_Appearance)
#include "tst_Appearance.moc"

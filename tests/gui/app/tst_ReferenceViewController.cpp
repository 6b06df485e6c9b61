#include "TestSettings.h"
#include "core/platform/SystemAppearanceMonitor.h"
#include "core/settings/DarkAppearance.h"
#include "core/settings/LightAppearance.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/ReferenceViewController.h"

#include "UnexpectedWarnings.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QIcon>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString basicTitle = u"Regular expressions: basics"_s;
const QString advancedTitle = u"Regular expressions: advanced"_s;

struct Fixture
{
    Fixture()
    {
        controller.setUrlOpener([this](const QUrl &url) { opened.append(url); });
        controller.resize(300, 500);
        controller.show();
    }

    QTextBrowser *view() const { return controller.webView(); }

    // Colour of the last character of the first occurrence of the text.
    QColor colorOf(const QString &text) const
    {
        const QTextCursor found = view()->document()->find(text, 0, QTextDocument::FindCaseSensitively);
        return found.isNull() ? QColor() : found.charFormat().foreground().color();
    }

    // Middle of the first link to href, in viewport coordinates, after scrolling it into view.
    QPoint linkPosition(const QString &href) const
    {
        QTextDocument *document = view()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.charFormat().anchorHref() != href)
                    continue;
                QTextCursor cursor(document);
                cursor.setPosition(fragment.position() + fragment.length() / 2);
                view()->setTextCursor(cursor);
                view()->ensureCursorVisible();
                return view()->cursorRect(cursor).center();
            }
        }
        return {};
    }

    ReferenceViewController controller;
    QList<QUrl> opened;
};

} // namespace

class tst_ReferenceViewController final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        failOnUnexpectedWarnings();
        resetSettingsToLightDefaults();
    }

    void cleanupTestCase() { SystemAppearanceMonitor::instance().setOverride(std::nullopt); }

    void showsThePageOfTheSetting_data()
    {
        QTest::addColumn<QVariant>("atStart");
        QTest::addColumn<QVariant>("later");
        QTest::addColumn<QString>("title");
        QTest::addRow("unset shows basic") << QVariant() << QVariant() << basicTitle;
        QTest::addRow("1 shows advanced") << QVariant(1) << QVariant() << advancedTitle;
        QTest::addRow("7 at start shows basic") << QVariant(7) << QVariant() << basicTitle;
        QTest::addRow("switch to 1 at once") << QVariant(0) << QVariant(1) << advancedTitle;
        QTest::addRow("switch back to 0") << QVariant(1) << QVariant(0) << basicTitle;
        QTest::addRow("switch to -1 falls back to basic") << QVariant(1) << QVariant(-1) << basicTitle;
    }

    void showsThePageOfTheSetting()
    {
        QFETCH(QVariant, atStart);
        QFETCH(QVariant, later);
        QFETCH(QString, title);
        if (atStart.isValid())
            UserDefaults::standard().setValue(UserDefaultsKey::referenceType, atStart);
        Fixture f;
        if (later.isValid())
            UserDefaults::standard().setValue(UserDefaultsKey::referenceType, later);
        QCOMPARE(f.view()->documentTitle(), title);
        QCOMPARE(f.controller.referenceType(), title == basicTitle ? ReferenceType::basic : ReferenceType::advanced);
    }

    void unreadablePageFallsBackToBasic()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"reference-missing.html.*cannot be read"_s));
        QCOMPARE(ReferenceViewController::pageTemplate(u"reference-missing.html"_s),
                 ReferenceViewController::pageTemplate(pageResourceName(ReferenceType::basic)));
    }

    void templatesUseOnlyTheColourVariables_data()
    {
        QTest::addColumn<QString>("resourceName");
        QTest::addRow("basic") << pageResourceName(ReferenceType::basic);
        QTest::addRow("advanced") << pageResourceName(ReferenceType::advanced);
    }

    void templatesUseOnlyTheColourVariables()
    {
        QFETCH(QString, resourceName);
        const QString page = ReferenceViewController::pageTemplate(resourceName);
        const QHash<QString, QString> colors = ReferenceViewController::referenceColors(LightAppearance());
        for (auto it = colors.cbegin(); it != colors.cend(); ++it)
            QVERIFY2(page.contains(u"$("_s + it.key() + u')'), qPrintable(it.key()));
        const QString filled = ReferenceViewController::replacingVariables(page, colors);
        QVERIFY2(!filled.contains(u"$("_s), qPrintable(filled.mid(filled.indexOf(u"$("_s), 40)));
    }

    void paletteChangeReloadsWithItsColours_data()
    {
        QTest::addColumn<bool>("throughSetting");
        QTest::addRow("appearanceMode set to dark") << true;
        QTest::addRow("desktop style turns dark") << false;
    }

    void paletteChangeReloadsWithItsColours()
    {
        QFETCH(bool, throughSetting);
        const QString bodyText = u"any character except a line break"_s;
        Fixture f;
        QCOMPARE(f.colorOf(bodyText), QColor(u"#333333"_s));
        QCOMPARE(f.colorOf(u"Flags"_s), QColor(LightAppearance().linkColor().rgb));
        f.view()->scrollToAnchor(u"unicode"_s);
        const int scrolled = f.view()->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);

        if (throughSetting)
            UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 1);
        else
            SystemAppearanceMonitor::instance().setOverride(SystemAppearance::dark);

        QCOMPARE(f.colorOf(bodyText), QColor(u"#ffffff"_s));
        QCOMPARE(f.colorOf(u"\\p{L}"_s), QColor(DarkAppearance().metacharacterColor().rgb));
        // A new palette keeps the reader's place.
        QCOMPARE(f.view()->verticalScrollBar()->value(), scrolled);
    }

    void replacingVariables_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("placeholder twice") << u"a $(textColor) b $(textColor)"_s << u"a #333333 b #333333"_s;
        QTest::addRow("two names") << u"$(textColor)$(linkColor)"_s << u"#333333#9B3CC7"_s;
        const QString nearMisses
            = u"$(backgroundColor) $(TextColor) $( textColor ) $(textColor ) $textColor ${textColor} (textColor)"_s;
        QTest::addRow("unlisted name, other case, spaces or brackets kept") << nearMisses << nearMisses;
        QTest::addRow("name matched literally") << u"$(a.b) $(axb)"_s << u"dot $(axb)"_s;
    }

    void replacingVariables()
    {
        QFETCH(QString, text);
        const QHash<QString, QString> variables {
            {u"textColor"_s, u"#333333"_s},
            {u"linkColor"_s, u"#9B3CC7"_s},
            {u"a.b"_s, u"dot"_s},
        };
        QTEST(ReferenceViewController::replacingVariables(text, variables), "expected");
    }

    // Whichever way a link is followed; a click on one is tested below with the mouse.
    void navigationDecisions_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<bool>("opensOutside");
        QTest::addColumn<bool>("scrolls");
        QTest::addRow("plain web address") << QUrl(u"http://example.org/regex"_s) << true << false;
        QTest::addRow("anchor with the page's address")
            << QUrl(u"qrc:/reference-basic.html#replacement"_s) << false << true;
        QTest::addRow("local file is not followed") << QUrl(u"file:///etc/passwd"_s) << false << false;
    }

    void navigationDecisions()
    {
        QFETCH(QUrl, url);
        QFETCH(bool, opensOutside);
        Fixture f;
        Q_EMIT f.view()->anchorClicked(url);
        QCOMPARE(f.opened, opensOutside ? QList<QUrl> {url} : QList<QUrl> {});
        QTEST(f.view()->verticalScrollBar()->value() > 0, "scrolls");
        QCOMPARE(f.view()->documentTitle(), basicTitle);
    }

    void clickedAnchorScrolls()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.controller));
        f.view()->verticalScrollBar()->setValue(0);

        QTest::mouseClick(f.view()->viewport(), Qt::LeftButton, {}, f.linkPosition(u"#replacement"_s));
        QVERIFY(f.view()->verticalScrollBar()->value() > 0);
        QVERIFY(f.opened.isEmpty());
    }

    void hoveredLinkTakesTheHoverColour()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.controller));
        const QColor link(LightAppearance().linkColor().rgb);
        const QColor hover(LightAppearance().hoverLinkColor().rgb);
        QCOMPARE(f.colorOf(u"Quantifiers"_s), link);

        QTest::mouseMove(f.view()->viewport(), f.linkPosition(u"#quantifiers"_s));
        QTRY_COMPARE(f.colorOf(u"Quantifiers"_s), hover);
        QCOMPARE(f.colorOf(u"Anchors"_s), link);

        QTest::mouseMove(f.view()->viewport(), f.linkPosition(u"#anchors"_s));
        QTRY_COMPARE(f.colorOf(u"Anchors"_s), hover);
        QCOMPARE(f.colorOf(u"Quantifiers"_s), link);

        // A reload while the pointer rests on the link keeps it marked.
        UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 1);
        QCOMPARE(f.colorOf(u"Anchors"_s), QColor(DarkAppearance().hoverLinkColor().rgb));
    }

    void rightClickShowsNoMenu()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.controller));
        bool sawMenu = false;
        // Closes a menu that would otherwise block the test in its own event loop.
        QTimer::singleShot(0, &f.controller, [&sawMenu] {
            if (QWidget *popup = QApplication::activePopupWidget()) {
                sawMenu = true;
                popup->close();
            }
        });
        const QPoint position(50, 50);
        QContextMenuEvent event(QContextMenuEvent::Mouse, position, f.view()->viewport()->mapToGlobal(position));
        QApplication::sendEvent(f.view()->viewport(), &event);
        QCoreApplication::processEvents();
        QVERIFY(!sawMenu);
    }

    // Bundled with the pages: the window icon must load even where Qt has no SVG image plugin.
    void applicationIconIsAmongTheResources()
    {
        QVERIFY(QFile::exists(u":/icons/org.quorvale.Quorvale.svg"_s));
        QCOMPARE(QIcon(u":/icons/org.quorvale.Quorvale.png"_s).pixmap(64, 64).size(), QSize(64, 64));
    }
};

QTEST_MAIN(tst_ReferenceViewController)
#include "tst_ReferenceViewController.moc"

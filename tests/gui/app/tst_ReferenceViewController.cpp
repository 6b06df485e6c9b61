#include "TestSettings.h"
#include "core/settings/DarkAppearance.h"
#include "core/settings/LightAppearance.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/ReferenceViewController.h"

#include <QFile>
#include <QIcon>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

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
    void init() { startClean(); }

    // At start and at once when it changes; a value that names no page shows the basic one.
    void showsThePageOfTheSetting()
    {
        {
            Fixture unset;
            QCOMPARE(unset.view()->documentTitle(), basicTitle);
        }
        UserDefaults::standard().setValue(UserDefaultsKey::referenceType, 1);
        Fixture f;
        QCOMPARE(f.view()->documentTitle(), advancedTitle);
        UserDefaults::standard().setValue(UserDefaultsKey::referenceType, -1);
        QCOMPARE(f.view()->documentTitle(), basicTitle);
        UserDefaults::standard().setValue(UserDefaultsKey::referenceType, 1);
        QCOMPARE(f.view()->documentTitle(), advancedTitle);
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

    void paletteChangeReloadsWithItsColours()
    {
        const QString bodyText = u"any character except a line break"_s;
        Fixture f;
        QCOMPARE(f.colorOf(bodyText), QColor(u"#333333"_s));
        f.view()->scrollToAnchor(u"unicode"_s);
        const int scrolled = f.view()->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);

        UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 1);
        QCOMPARE(f.colorOf(bodyText), QColor(u"#ffffff"_s));
        QCOMPARE(f.colorOf(u"\\p{L}"_s), QColor(DarkAppearance().metacharacterColor().rgb));
        // A new palette keeps the reader's place.
        QCOMPARE(f.view()->verticalScrollBar()->value(), scrolled);
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

    void linksAnswerThePointer()
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

        // A click on a link into the page scrolls there and opens nothing outside.
        f.view()->verticalScrollBar()->setValue(0);
        QTest::mouseClick(f.view()->viewport(), Qt::LeftButton, {}, f.linkPosition(u"#replacement"_s));
        QVERIFY(f.view()->verticalScrollBar()->value() > 0);
        QVERIFY(f.opened.isEmpty());
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

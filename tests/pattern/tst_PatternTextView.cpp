#include "pattern/PatternTextView.h"
#include "platform/SystemAppearanceMonitor.h"
#include "settings/DarkAppearance.h"
#include "settings/LightAppearance.h"
#include "settings/UserDefaults.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace {

// The colour the view's layout formats give the character at a position; later formats win.
QColor colorAt(const PatternTextView &view, int position, bool background)
{
    const QTextBlock block = view.document()->findBlock(position);
    QColor color;
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        const int offset = position - block.position();
        if (offset < range.start || offset >= range.start + range.length)
            continue;
        const QBrush brush = background ? range.format.background() : range.format.foreground();
        if (brush.style() != Qt::NoBrush)
            color = brush.color();
    }
    return color;
}

QColor paletteColor(const Color &color)
{
    return color.toQColor();
}

} // namespace

class tst_PatternTextView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void marksHighlightedGroup_data();
    void marksHighlightedGroup();
    void recolouringKeepsCaretAndUndo();
    void followsPaletteAndCommentSetting();
    void copyAndPasteThroughTheClipboard();
};

void tst_PatternTextView::init()
{
    UserDefaults::standard().clear();
    UserDefaults::standard().registerStandardDefaults();
    SystemAppearanceMonitor::instance().setOverride(SystemAppearance::light);
}

void tst_PatternTextView::marksHighlightedGroup_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addRow("first group") << u"(a)(b)"_s << 1 << 0 << 3;
    QTest::addRow("second group") << u"(a)(b)"_s << 2 << 3 << 3;
    QTest::addRow("beyond the groups") << u"(a)(b)"_s << 3 << 0 << 0;
    QTest::addRow("unbalanced") << u"(a"_s << 1 << 0 << 0;
    QTest::addRow("after a non-capturing group") << u"(?:a)(b)"_s << 1 << 5 << 3;
    QTest::addRow("after an emoji") << u"😀(a)"_s << 1 << 2 << 3;
    QTest::addRow("across lines") << u"x\n(a\nb)"_s << 1 << 2 << 5;
}

void tst_PatternTextView::marksHighlightedGroup()
{
    QFETCH(QString, pattern);
    QFETCH(int, group);
    QFETCH(int, start);
    QFETCH(int, length);
    PatternTextView view;
    view.setText(pattern);
    view.setHighlightedGroup(group);
    const QColor marked = paletteColor(LightAppearance().highlightedGroupColor());
    const QString text = view.toPlainText();
    for (int i = 0; i < text.size(); ++i) {
        const bool inside = i >= start && i < start + length;
        QCOMPARE(colorAt(view, i, true) == marked, inside);
    }
    // Tokens are coloured whether or not a group is marked.
    QCOMPARE(colorAt(view, text.indexOf(u'('), false), paletteColor(LightAppearance().specialCharacterColor()));
}

void tst_PatternTextView::recolouringKeepsCaretAndUndo()
{
    PatternTextView view;
    view.setText(u"\\d+x"_s);
    QTextCursor cursor = view.textCursor();
    cursor.setPosition(3);
    view.setTextCursor(cursor);
    QTest::keyClicks(&view, u"("_s);
    QCOMPARE(view.toPlainText(), u"\\d+(x"_s);
    QCOMPARE(view.textCursor().position(), 4);
    QCOMPARE(view.document()->availableUndoSteps(), 1);
    QCOMPARE(colorAt(view, 3, false), paletteColor(LightAppearance().specialCharacterColor()));
    QCOMPARE(colorAt(view, 0, false), paletteColor(LightAppearance().metacharacterColor()));
    view.undo();
    QCOMPARE(view.toPlainText(), u"\\d+x"_s);
    QCOMPARE(colorAt(view, 3, false), paletteColor(LightAppearance().plainTextColor()));
    view.redo();
    QCOMPARE(colorAt(view, 3, false), paletteColor(LightAppearance().specialCharacterColor()));
}

void tst_PatternTextView::followsPaletteAndCommentSetting()
{
    PatternTextView view;
    view.setText(u"a+ # note"_s);
    QCOMPARE(colorAt(view, 1, false), paletteColor(LightAppearance().specialCharacterColor()));
    UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 1);
    QCOMPARE(colorAt(view, 1, false), paletteColor(DarkAppearance().specialCharacterColor()));
    QCOMPARE(view.palette().color(QPalette::Text), paletteColor(DarkAppearance().plainTextColor()));

    QCOMPARE(colorAt(view, 5, false), paletteColor(DarkAppearance().plainTextColor()));
    UserDefaults::standard().setValue(UserDefaultsKey::allowCommentsAndWhitespace, true);
    view.updateColors();
    QCOMPARE(colorAt(view, 5, false), paletteColor(DarkAppearance().commentColor()));
}

void tst_PatternTextView::copyAndPasteThroughTheClipboard()
{
    PatternTextView view;
    view.setText(u"\\d+\\.\\d+"_s);
    view.copyEscaped();
    QCOMPARE(QApplication::clipboard()->text(), u"\\\\d+\\\\.\\\\d+"_s);

    view.selectAll();
    view.pasteUnescaped();
    QCOMPARE(view.toPlainText(), u"\\d+\\.\\d+"_s);

    view.setText(u"abc"_s);
    QTextCursor cursor = view.textCursor();
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    view.setTextCursor(cursor);
    QApplication::clipboard()->setText(u"\"\\\\n\\\\\\"_s);
    view.pasteUnescaped();
    QCOMPARE(view.toPlainText(), u"a\"\\n\\\\c"_s);
    view.undo();
    QCOMPARE(view.toPlainText(), u"abc"_s);

    QApplication::clipboard()->clear();
    view.pasteUnescaped();
    QCOMPARE(view.toPlainText(), u"abc"_s);
}

QTEST_MAIN(tst_PatternTextView)
#include "tst_PatternTextView.moc"

#include "TestSettings.h"
#include "core/settings/DarkAppearance.h"
#include "core/settings/LightAppearance.h"
#include "core/settings/UserDefaults.h"
#include "gui/editor/PatternTextView.h"

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

} // namespace

class tst_PatternTextView final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetSettingsToLightDefaults(); }

    // Which group is marked is the builder's business; here the marks must land on the right blocks.
    void marksTheGroupAcrossLines()
    {
        const QString pattern = u"x\n(a\nb)c"_s;
        PatternTextView view;
        view.setText(pattern);
        view.setHighlightedGroup(1);
        const QColor marked = LightAppearance().highlightedGroupColor().toQColor();
        for (int i = 0; i < pattern.size(); ++i)
            QCOMPARE(colorAt(view, i, true) == marked, i >= 2 && i < 7);
        // Tokens are coloured whether or not a group is marked.
        QCOMPARE(colorAt(view, 2, false), LightAppearance().specialCharacterColor().toQColor());
    }

    void recolouringKeepsCaretAndUndo()
    {
        const LightAppearance light;
        PatternTextView view;
        view.setText(u"\\d+x"_s);
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(3);
        view.setTextCursor(cursor);
        QTest::keyClicks(&view, u"("_s);
        QCOMPARE(view.toPlainText(), u"\\d+(x"_s);
        QCOMPARE(view.textCursor().position(), 4);
        QCOMPARE(view.document()->availableUndoSteps(), 1);
        QCOMPARE(colorAt(view, 3, false), light.specialCharacterColor().toQColor());
        QCOMPARE(colorAt(view, 0, false), light.metacharacterColor().toQColor());
        view.undo();
        QCOMPARE(view.toPlainText(), u"\\d+x"_s);
        QCOMPARE(colorAt(view, 3, false), light.plainTextColor().toQColor());
        view.redo();
        QCOMPARE(colorAt(view, 3, false), light.specialCharacterColor().toQColor());
    }

    void followsThePalette()
    {
        PatternTextView view;
        view.setText(u"a+"_s);
        QCOMPARE(colorAt(view, 1, false), LightAppearance().specialCharacterColor().toQColor());
        UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 1);
        QCOMPARE(colorAt(view, 1, false), DarkAppearance().specialCharacterColor().toQColor());
        QCOMPARE(view.palette().color(QPalette::Text), DarkAppearance().plainTextColor().toQColor());
    }

    // The conversions themselves are tested with PatternEscaping.
    void copyAndPasteThroughTheClipboard()
    {
        PatternTextView view;
        view.setText(u"\\d+"_s);
        view.copyEscaped();
        QCOMPARE(QApplication::clipboard()->text(), u"\\\\d+"_s);

        view.setText(u"abc"_s);
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(1);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        view.setTextCursor(cursor);
        // A string literal spread over lines keeps its line ends as they came.
        QApplication::clipboard()->setText(u"\r\n\"\\\\n\\\\\\"_s);
        view.pasteUnescaped();
        QCOMPARE(view.text(), u"a\r\n\"\\n\\\\c"_s);
        view.undo();
        QCOMPARE(view.text(), u"abc"_s);

        QApplication::clipboard()->clear();
        view.pasteUnescaped();
        QCOMPARE(view.toPlainText(), u"abc"_s);
    }
};

QTEST_MAIN(tst_PatternTextView)
#include "tst_PatternTextView.moc"

#include "ColoredPattern.h"
#include "TestSettings.h"
#include "core/settings/DarkAppearance.h"
#include "core/settings/LightAppearance.h"
#include "core/settings/UserDefaults.h"
#include "gui/editor/PatternTextView.h"

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

namespace {

// The colour the view's layout formats give the character at a position; later formats win.
QColor colorAt(const PatternTextView &view, int position)
{
    const QTextBlock block = view.document()->findBlock(position);
    QColor color;
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        const int offset = position - block.position();
        if (offset < range.start || offset >= range.start + range.length)
            continue;
        if (range.format.foreground().style() != Qt::NoBrush)
            color = range.format.foreground().color();
    }
    return color;
}

} // namespace

class tst_PatternTextView final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startClean(); }

    // The colouring after an edit is compared with a full colouring below; undo and redo must recolour too.
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
        view.undo();
        QCOMPARE(view.toPlainText(), u"\\d+x"_s);
        QCOMPARE(colorAt(view, 3), light.plainTextColor().toQColor());
        view.redo();
        QCOMPARE(colorAt(view, 3), light.specialCharacterColor().toQColor());
    }

    void coloursFollowThePaletteAndTheLiteralSwitch()
    {
        PatternTextView view;
        view.setText(u"a+"_s);
        QCOMPARE(colorAt(view, 1), LightAppearance().specialCharacterColor().toQColor());
        UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 1);
        QCOMPARE(colorAt(view, 1), DarkAppearance().specialCharacterColor().toQColor());
        QCOMPARE(view.palette().color(QPalette::Text), DarkAppearance().plainTextColor().toQColor());
        // Taken as literal text, it has no tokens to colour.
        view.setPatternIsLiteral(true);
        QCOMPARE(colorAt(view, 1), QColor());
    }

    void coloursAfterEditsEqualAFullColouring_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("comments");
        const QString fragments = uR"((?<y>\d{4})-[a-z\]]+\Q(x\E(?#c)|\p{L}(?:a|b)*? # note)"_s;
        QTest::addRow("short, coloured at once") << fragments.repeated(3) << true;
        QTest::addRow("long line, coloured on a worker") << fragments.repeated(600) << false;
        QTest::addRow("long, many lines, free spacing") << QString(fragments + u"\n"_s).repeated(600) << true;
        QTest::addRow("a group across lines") << u"x\n(a\nb)c"_s << false;
    }

    // An inserted "\Q", "[", "(?x)" or "#" changes the meaning of all that follows: whatever the edit, once its
    // colouring is in, the view shows what colouring the whole new pattern gives, wherever it is scrolled to. Which
    // group is marked is the builder's business; here the marks must land on the right blocks.
    void coloursAfterEditsEqualAFullColouring()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, comments);
        PatternTextView view;
        view.resize(500, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.setAllowsCommentsAndWhitespace(comments);
        view.setHighlightedGroup(1);
        view.setText(pattern);
        const QString tokens[] = {u"\\Q"_s, u"\\E"_s, u"["_s,  u"]"_s,   u"("_s,   u")"_s, u"(?x)"_s, u"(?-x)"_s,
                                  u"#"_s,   u"\n"_s,  u"\\"_s, u"(?#"_s, u"{2}"_s, u"|"_s, u"\\d"_s,  u"a"_s};
        QRandomGenerator random(11);
        const auto shownEqualsFullColouring = [&] {
            const QList<ColorSpan> spans = coloredPattern(view.text(), 1, comments).spans();
            for (const QTextBlock &block : view.visibleBlocks()) {
                // The shown colour of every character of the block, the later format winning.
                QList<QColor> shown[2] {QList<QColor>(block.length()), QList<QColor>(block.length())};
                for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
                    for (const bool background : {false, true}) {
                        const QBrush brush = background ? range.format.background() : range.format.foreground();
                        // Until the colouring of an edit is in, a block's formats may reach past its end.
                        const int end = std::min(range.start + range.length, block.length());
                        if (brush.style() != Qt::NoBrush && range.start < end)
                            std::fill(shown[background].begin() + range.start, shown[background].begin() + end,
                                      brush.color());
                    }
                }
                auto span = std::partition_point(spans.cbegin(), spans.cend(), [&block](const ColorSpan &one) {
                    return one.range.end() <= block.position();
                });
                for (int offset = 0; offset < block.length() - 1; ++offset) {
                    const int position = block.position() + offset;
                    while (span != spans.cend() && span->range.end() <= position)
                        ++span;
                    const bool covered = span != spans.cend() && span->range.location <= position;
                    if (shown[0].at(offset) != (covered ? span->foreground.value_or(QColor()) : QColor())
                        || shown[1].at(offset) != (covered ? span->background.value_or(QColor()) : QColor()))
                        return false;
                }
            }
            return true;
        };
        QTRY_VERIFY(shownEqualsFullColouring());
        for (int step = 0; step < 30; ++step) {
            QTextCursor cursor = view.textCursor();
            const int at = random.bounded(int(view.text().size()) + 1);
            cursor.setPosition(at);
            if (random.bounded(3) == 0) {
                cursor.setPosition(std::min(at + random.bounded(1, 8), int(view.text().size())),
                                   QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            } else {
                cursor.insertText(tokens[random.bounded(int(std::size(tokens)))]);
            }
            view.setTextCursor(cursor);
            view.ensureCursorVisible();
            QTRY_VERIFY2(shownEqualsFullColouring(), qPrintable(u"after edit %1"_s.arg(step)));
        }
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

#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"
#include "gui/widgets/NSTextViewWithPlaceholderUpdateDelegate.h"
#include "gui/widgets/ViewAnimations.h"

#include "UnexpectedWarnings.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

class RecordingDelegate final : public NSTextViewWithPlaceholderUpdateDelegate
{
public:
    void textViewWithPlaceholderDidUpdateText(NSTextViewWithPlaceholder *, const QString &text) override
    {
        texts.append(text);
    }
    QStringList texts;
};

struct Fixture
{
    Fixture()
    {
        auto *layout = new QVBoxLayout(&window);
        view = new NSTextViewWithPlaceholder(&window);
        other = new QLineEdit(&window);
        layout->addWidget(view);
        layout->addWidget(other);
        label = new QLabel(u"Sample text"_s);
        view->setPlaceholderLabel(label);
        view->setUpdateDelegate(&delegate);
        window.show();
        QApplication::setActiveWindow(&window);
        other->setFocus();
    }

    // Selects from anchor to position, or places the caret where they are one.
    void select(int anchor, int position) const
    {
        QTextCursor cursor = view->textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        view->setTextCursor(cursor);
    }

    QWidget window;
    NSTextViewWithPlaceholder *view;
    QLineEdit *other;
    QLabel *label;
    RecordingDelegate delegate;
};

} // namespace

class tst_NSTextViewWithPlaceholder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnUnexpectedWarnings(); }

    // An empty view taking the focus flashes while its placeholder fades: nested, the two effects painted with two
    // painters on one device.
    void flashAndFadeTogetherPaintCleanly()
    {
        Fixture f;
        for (int round = 0; round < 2; ++round) {
            ViewAnimations::flash(f.view);
            f.view->setFocus();
            f.window.repaint();
            QTRY_VERIFY(f.label->isHidden());
            f.other->setFocus();
            ViewAnimations::flash(f.view);
            f.window.repaint();
            QTRY_VERIFY(f.label->isVisible() && !f.view->graphicsEffect());
        }
    }

    void placeholderFollowsTextFocusAndEditability()
    {
        Fixture f;
        // Taken at once when the label is connected.
        QVERIFY(f.label->isVisible());

        f.view->setText(u"x"_s);
        QTRY_VERIFY(f.label->isHidden());
        f.view->setText(QString());
        QTRY_VERIFY(f.label->isVisible());

        f.view->setEditable(false);
        QTRY_VERIFY(f.label->isHidden());
        f.view->setEditable(true);
        QTRY_VERIFY(f.label->isVisible());

        // Deleting the last character while focused keeps the hint away: the user is still typing. A fade-in
        // would show the label at once, so no waiting is needed to see that none started.
        f.view->setFocus();
        QTRY_VERIFY(f.view->hasFocus());
        QTest::keyClick(f.view, Qt::Key_A);
        QTRY_VERIFY(f.label->isHidden());
        QTest::keyClick(f.view, Qt::Key_Backspace);
        QVERIFY(ViewAnimations::isHidden(f.label) && f.label->isHidden());
    }

    void reportsEveryEditAndAssignment()
    {
        Fixture f;
        f.view->setFocus();
        QTRY_VERIFY(f.view->hasFocus());
        QTest::keyClicks(f.view, u"ab"_s);
        QTest::keyClick(f.view, Qt::Key_Backspace);
        f.view->setText(u"same"_s);
        f.view->setText(u"same"_s);
        f.view->selectAll();
        QTest::keyClicks(f.view, u"w"_s);
        f.view->undo();
        QCOMPARE(f.delegate.texts, (QStringList {u"a"_s, u"ab"_s, u"a"_s, u"same"_s, u"same"_s, u"w"_s, u"same"_s}));

        // A font change relays the text out without editing it.
        f.delegate.texts.clear();
        QFont font = f.view->font();
        font.setPointSizeF(font.pointSizeF() * 2);
        f.view->setFont(font);
        QCOMPARE(f.delegate.texts, QStringList());
    }

    void pastesPlainTextOnly()
    {
        Fixture f;
        auto *rich = new QMimeData;
        rich->setHtml(u"<b>bold</b> words"_s);
        rich->setText(u"bold words"_s);
        QApplication::clipboard()->setMimeData(rich);
        f.view->paste();
        QCOMPARE(f.view->text(), u"bold words"_s);
        QCOMPARE(f.delegate.texts.last(), u"bold words"_s);
        QTextCursor inside(f.view->document());
        inside.setPosition(2);
        QVERIFY(inside.charFormat().fontWeight() != QFont::Bold);

        auto *image = new QMimeData;
        image->setData(u"image/png"_s, QByteArray("\x89PNG"));
        QApplication::clipboard()->setMimeData(image);
        f.view->paste();
        QCOMPARE(f.view->text(), u"bold words"_s);
    }

    void keepsEveryCharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addRow("no-break space") << u"a\u00a0b"_s;
        QTest::addRow("line separator") << u"a\u2028b"_s;
        QTest::addRow("line breaks and an empty last line") << u"a\n\nb\n"_s;
        QTest::addRow("CRLF, lone CRs and a last CR") << u"a\r\nb\rc\r\r\nd\r"_s;
        QTest::addRow("paragraph separators, next line, frame marks") << u"\u2029a\u2029\nb\u0085c\ufdd0\ufdd1"_s;
        QTest::addRow("NUL and lone surrogates") << u"a"_s + QChar(0) + u"b"_s + QChar(0xdc00) + u"c"_s + QChar(0xd800);
        QTest::addRow("long line of words") << u"lorem ipsum dolor "_s.repeated(2000);
        QTest::addRow("long run without spaces") << QString(30000, u'q');
        QTest::addRow("long line of marks, joiners and surrogate pairs")
            << u"e\u0301\U0001F468\u200D\U0001F469x\u00e9\uFE0F"_s.repeated(3000);
        QTest::addRow("long line of carriage returns, separators and NUL")
            << QString(u"ab\r\u2029cd\u2028"_s + QChar(0)).repeated(3000);
        QTest::addRow("a long line among short ones") << u"one\ntwo\n"_s + QString(20000, u'z') + u"\nthree"_s;
    }

    // Read back, copied, cut, pasted and undone: the text is what was given, character for character. A line of
    // megabytes is laid out in pieces, never whole.
    void keepsEveryCharacter()
    {
        QFETCH(QString, text);
        Fixture f;
        f.view->setText(text);
        QCOMPARE(f.view->text(), text);
        // Positions in the document are offsets into the text.
        QCOMPARE(f.view->document()->characterCount() - 1, text.size());
        int longestBlock = 0;
        for (QTextBlock block = f.view->document()->firstBlock(); block.isValid(); block = block.next())
            longestBlock = std::max(longestBlock, block.length());
        QVERIFY(longestBlock < 10000);
        f.select(1, int(text.size()) - 1);
        f.view->copy();
        QCOMPARE(QApplication::clipboard()->text(), text.sliced(1, text.size() - 2));
        f.view->selectAll();
        f.view->copy();
        QCOMPARE(QApplication::clipboard()->text(), text);
        f.view->cut();
        QCOMPARE(f.view->text(), QString());
        f.view->paste();
        QCOMPARE(f.view->text(), text);
        QCOMPARE(f.delegate.texts.last(), text);
        f.view->undo();
        QCOMPARE(f.view->text(), QString());
        f.view->redo();
        QCOMPARE(f.view->text(), text);
    }

    // Undo restores a deleted character as it was; typing and Return next to a kept character make no more of it, and
    // Shift+Return breaks the line as Return does.
    void editsNextToKeptCharacters()
    {
        Fixture f;
        f.view->setText(u"a\r\u2029"_s);
        f.view->setFocus();
        f.select(2, 2);
        QTest::keyClick(f.view, Qt::Key_Backspace);
        QCOMPARE(f.view->text(), u"a\u2029"_s);
        f.view->undo();
        QCOMPARE(f.view->text(), u"a\r\u2029"_s);
        f.view->redo();
        f.view->undo();
        QCOMPARE(f.delegate.texts.last(), u"a\r\u2029"_s);

        f.select(2, 2);
        QTest::sendKeyEvent(QTest::Click, f.view, Qt::Key_unknown, u"\u21b5"_s, Qt::NoModifier);
        f.view->moveCursor(QTextCursor::End);
        QTest::keyClick(f.view, Qt::Key_Return);
        QTest::keyClick(f.view, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(f.view, u"x"_s);
        QCOMPARE(f.view->text(), u"a\r\u21b5\u2029\n\nx"_s);
        QCOMPARE(f.view->document()->characterCount() - 1, f.view->text().size());
        f.view->undo();
        f.view->undo();
        QCOMPARE(f.view->text(), u"a\r\u21b5\u2029\n"_s);
    }

    void drawsMarkersBetweenCharacters_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<qreal>("pointSize");
        QTest::addColumn<int>("width");
        QTest::addRow("light palette, normal size") << false << 13.0 << 2;
        QTest::addRow("dark palette, doubled size") << true << 26.0 << 4;
    }

    void drawsMarkersBetweenCharacters()
    {
        QFETCH(bool, dark);
        QFETCH(qreal, pointSize);
        QFETCH(int, width);
        const std::unique_ptr<Appearance> palette
            = AppearanceController::appearance(dark ? 1 : 0, SystemAppearance::light);
        Fixture f;
        QPalette colors = f.window.palette();
        colors.setColor(QPalette::Window, palette->textBoxColor().toQColor());
        f.window.setPalette(colors);
        QFont font = f.view->font();
        font.setPointSizeF(pointSize);
        f.view->setFont(font);
        f.view->setText(u"ab\ncd"_s);
        const QColor color = palette->matchColor().toQColor();
        f.view->setMarkers({{4, color}});
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QTextCursor cursor(f.view->document());
        cursor.setPosition(4);
        // Between "c" and "d", the height of the line, and wide enough to be seen at the size; the place is taken
        // again while waiting, as the view may still be laying out.
        const auto caretPixel = [&] {
            const QRect caret = f.view->cursorRect(cursor);
            return f.view->viewport()->grab().toImage().pixelColor(caret.left(), caret.center().y());
        };
        QTRY_COMPARE(caretPixel(), color);
        const QRect caret = f.view->cursorRect(cursor);
        const QImage image = f.view->viewport()->grab().toImage();
        int painted = 0;
        for (int x = caret.left() - 2 * width; x <= caret.left() + 2 * width; ++x)
            painted += image.pixelColor(x, caret.center().y()) == color ? 1 : 0;
        QVERIFY2(painted >= width && painted <= width + 1, qPrintable(QString::number(painted)));
        QCOMPARE(image.pixelColor(caret.left(), caret.top() + 1), color);
        QCOMPARE(image.pixelColor(caret.left(), caret.bottom() - 1), color);
        QVERIFY(image.pixelColor(caret.left() + 2 * width, caret.center().y()) != color);
    }

    // A word far longer than a line made each line's layout scan to its end: a megabyte without spaces froze the
    // window for minutes.
    void longWordsWrapAnywhere_data()
    {
        QTest::addColumn<QString>("assigned");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("anywhere");
        const QString word(1000, u'q');
        QTest::addRow("words of every day") << u"one two"_s.repeated(1000) << u"x"_s << false;
        QTest::addRow("assigned long word") << u"a "_s + word + u"q"_s << QString() << true;
        QTest::addRow("word typed past the limit") << u"a "_s + word + u" b"_s << u"q"_s << true;
        QTest::addRow("word at the limit") << u"a "_s + word << QString() << false;
    }

    void longWordsWrapAnywhere()
    {
        QFETCH(QString, assigned);
        QFETCH(QString, typed);
        QFETCH(bool, anywhere);
        Fixture f;
        f.view->setText(u"x"_s + QString(5000, u'x'));
        f.view->setText(assigned);
        f.select(1002, 1002);
        f.view->insertPlainText(typed);
        QCOMPARE(f.view->wordWrapMode() == QTextOption::WrapAnywhere, anywhere);
    }

    // Random edits of a long line, typed, pasted and deleted anywhere, also over the places where it is split, then
    // undone one by one: after each step the view holds exactly the text the same edits make of a string.
    void editsOfLongLinesKeepTheText()
    {
        Fixture f;
        f.view->setFocus();
        QTRY_VERIFY(f.view->hasFocus());
        QRandomGenerator random(7);
        const QString pieces[] = {u"x"_s,
                                  u" "_s,
                                  u"\r"_s,
                                  u"\n"_s,
                                  u"\u2029"_s,
                                  u"\u0301"_s,
                                  u"\U0001F600"_s,
                                  QString(5000, u'w'),
                                  u"word "_s.repeated(1500)};
        QString expected = QString(12000, u'a') + u"\n"_s + u"b c "_s.repeated(3000);
        f.view->setText(expected);
        QStringList history {expected};
        // Never between the halves of a pair, where the document's cursor would not go.
        const auto boundary = [&expected](int position) {
            return position > 0 && position < expected.size() && expected.at(position).isLowSurrogate()
                    && expected.at(position - 1).isHighSurrogate()
                ? position - 1
                : position;
        };
        for (int step = 0; step < 60; ++step) {
            const int at = boundary(random.bounded(int(expected.size()) + 1));
            switch (random.bounded(4)) {
            case 0: {
                // Typed: the line grows one key at a time.
                f.select(at, at);
                QTest::keyClicks(f.view, u"typed"_s);
                expected.insert(at, u"typed"_s);
                break;
            }
            case 1: {
                const QString piece = pieces[random.bounded(int(std::size(pieces)))];
                f.select(at, at);
                QApplication::clipboard()->setText(piece);
                f.view->paste();
                expected.insert(at, piece);
                break;
            }
            case 2: {
                const int length = boundary(std::min(at + random.bounded(1, 6000), int(expected.size()))) - at;
                if (length <= 0)
                    continue;
                f.select(at, at + length);
                QTest::keyClick(f.view, Qt::Key_Delete);
                expected.remove(at, length);
                break;
            }
            default:
                if (at == 0)
                    continue;
                f.select(at, at);
                QTest::keyClick(f.view, Qt::Key_Backspace);
                // A pair is deleted as one character.
                expected.remove(at - 1 - (expected.at(at - 1).isLowSurrogate() && at >= 2),
                                1 + (expected.at(at - 1).isLowSurrogate() && at >= 2));
                break;
            }
            // Long lines are split after the edit, from the event loop.
            QCoreApplication::processEvents();
            QCOMPARE(f.view->text(), expected);
            QCOMPARE(f.view->document()->characterCount() - 1, expected.size());
            if (history.constLast() != expected)
                history.append(expected);
        }
        while (f.view->document()->isUndoAvailable()) {
            f.view->undo();
            QVERIFY(history.contains(f.view->text()));
        }
        QCOMPARE(f.view->text(), history.constFirst());
    }

    // A text of megabytes is read whole at once and goes into the view by pieces; typing waits until all is in.
    void loadsLargeTextsInPieces()
    {
        Fixture f;
        const QString text = u"line\r\n\u2029"_s + u"word \u00e9\U0001F600\n"_s.repeated(200000) + QString(30000, u'q');
        f.view->setText(text);
        QCOMPARE(f.view->text(), text);
        QCOMPARE(f.delegate.texts, QStringList {text});
        QVERIFY(f.view->isLoading());
        QVERIFY(f.view->document()->characterCount() - 1 < text.size());
        QVERIFY(f.view->isEditable());
        QVERIFY(f.view->isReadOnly());
        QTRY_VERIFY(!f.view->isLoading());
        QCOMPARE(f.view->document()->characterCount() - 1, text.size());
        QCOMPARE(f.delegate.texts, QStringList {text});
        QVERIFY(!f.view->isReadOnly());

        // Read from the document after an edit.
        f.view->setFocus();
        QTRY_VERIFY(f.view->hasFocus());
        f.view->moveCursor(QTextCursor::End);
        QTest::keyClicks(f.view, u"x"_s);
        QCOMPARE(f.view->text(), text + u"x"_s);

        // Nothing goes in while the text loads: the view is read-only, and the document is not yet the text.
        f.view->setText(text);
        f.view->insertExactText(u"x"_s);
        QTRY_VERIFY(!f.view->isLoading());
        QCOMPARE(f.view->text(), text);
        QCOMPARE(f.view->document()->characterCount() - 1, text.size());

        // Assigned again while loading: nothing of the earlier text follows.
        f.view->setText(text);
        f.view->setText(u"short"_s);
        QVERIFY(!f.view->isLoading());
        for (int turn = 0; turn < 5; ++turn)
            QCoreApplication::processEvents();
        QCOMPARE(f.view->document()->characterCount() - 1, 5);
        QCOMPARE(f.view->text(), u"short"_s);

        // Pasted: by pieces too, as one edit that undo takes back whole, also before all of it is in.
        QApplication::clipboard()->setText(text);
        const QString pasted = u"s"_s + text + u"hort"_s;
        for (const bool undoAtOnce : {true, false}) {
            f.select(1, 1);
            f.view->paste();
            QCOMPARE(f.view->text(), pasted);
            QCOMPARE(f.delegate.texts.last(), pasted);
            QVERIFY(f.view->isLoading());
            if (!undoAtOnce) {
                QTRY_VERIFY(!f.view->isLoading());
                QCOMPARE(f.view->document()->characterCount() - 1, pasted.size());
                QCOMPARE(f.view->textCursor().position(), 1 + text.size());
                QVERIFY(!f.view->isReadOnly());
            }
            f.view->undo();
            QVERIFY(!f.view->isLoading());
            for (int turn = 0; turn < 5; ++turn)
                QCoreApplication::processEvents();
            QCOMPARE(f.view->text(), u"short"_s);
            QCOMPARE(f.delegate.texts.last(), u"short"_s);
            if (undoAtOnce) {
                // Undone before all of it was in, it comes back whole when redone, and goes again as one edit.
                f.view->redo();
                QTRY_VERIFY(!f.view->isLoading() && f.view->document()->characterCount() - 1 == pasted.size());
                QCOMPARE(f.view->text(), pasted);
                QCOMPARE(f.delegate.texts.last(), pasted);
                f.view->undo();
                QCOMPARE(f.view->text(), u"short"_s);
                QCOMPARE(f.view->document()->characterCount() - 1, 5);
            }
        }
        f.view->redo();
        QCOMPARE(f.view->text(), pasted);
    }

    // Where a line is split, the unit the split holds is drawn where the line goes on.
    void drawsTheUnitsOfSplitLines()
    {
        Fixture f;
        f.window.resize(600, 400);
        f.view->setText(QString(20000, u'0'));
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        const QTextBlock first = f.view->document()->firstBlock();
        QVERIFY(first.next().isValid());
        QTextCursor end(first);
        end.movePosition(QTextCursor::EndOfBlock);
        f.view->setTextCursor(end);
        f.view->ensureCursorVisible();
        const QRect caret = f.view->cursorRect();
        const auto inkAfterLastLine = [&] {
            const QImage image = f.view->viewport()->grab().toImage();
            const QColor background = image.pixelColor(caret.left() + caret.height() * 3, caret.center().y());
            int ink = 0;
            for (int x = caret.right() + 1; x < caret.right() + caret.height(); ++x)
                ink += image.pixelColor(x, caret.center().y()) != background ? 1 : 0;
            return ink;
        };
        QTRY_VERIFY(inkAfterLastLine() > 0);
    }
};

QTEST_MAIN(tst_NSTextViewWithPlaceholder)
#include "tst_NSTextViewWithPlaceholder.moc"

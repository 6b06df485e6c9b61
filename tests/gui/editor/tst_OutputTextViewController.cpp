#include "EvaluationTestSupport.h"
#include "core/settings/DarkAppearance.h"
#include "core/settings/LightAppearance.h"
#include "gui/editor/OutputTextViewController.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include "UnexpectedWarnings.h"

#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace {

struct Fixture
{
    Fixture()
        : controller(&view)
    {
        view.resize(600, 400);
        view.show();
    }

    // Shows the text and paints the pattern's matches in it.
    void paint(const QString &pattern, const QString &text, int group = 0)
    {
        view.setText(text);
        controller.setActiveGroup(group);
        controller.setMatches(evaluated(pattern, text)->results(), text);
    }

    // The background of every character, by its position: 0 unpainted, 1 the even colour, 2 the odd one; a and b
    // the same, dimmed. A marker of an empty range stands before the character at its position, | in the even
    // colour, : in the odd one.
    QString painting() const
    {
        const QRgb even = LightAppearance().matchColor().toQColor().rgb();
        QString marks;
        for (QTextBlock block = view.document()->firstBlock(); block.isValid(); block = block.next()) {
            QString line(block.length(), u'0');
            for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
                const QColor color = range.format.background().color();
                const QChar mark
                    = color.alphaF() < 1 ? (color.rgb() == even ? u'a' : u'b') : (color.rgb() == even ? u'1' : u'2');
                for (int i = range.start; i < range.start + range.length; ++i)
                    line[i] = mark;
            }
            marks += line;
        }
        marks.truncate(view.toPlainText().size());
        QList<NSTextViewWithPlaceholder::Marker> markers = view.markers();
        std::ranges::sort(markers, std::ranges::greater(), &NSTextViewWithPlaceholder::Marker::position);
        for (const NSTextViewWithPlaceholder::Marker &marker : markers)
            marks.insert(marker.position, marker.color.rgb() == even ? u'|' : u':');
        return marks;
    }

    NSTextViewWithPlaceholder view;
    OutputTextViewController controller;
};

} // namespace

class tst_OutputTextViewController final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnUnexpectedWarnings(); }

    void paintsTheActiveGroup_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("painting");
        QTest::addRow("whole matches alternate") << u"a+"_s << 0 << u"a aa b aaa"_s << u"1022000111"_s;
        QTest::addRow("a group") << u"(\\w)(\\d)"_s << 2 << u"a1 b2"_s << u"01002"_s;
        QTest::addRow("after an emoji") << u"b"_s << 0 << u"😀b"_s << u"001"_s;
        QTest::addRow("across lines") << u"b\\nc"_s << 0 << u"ab\ncd"_s << u"01110"_s;
        QTest::addRow("a lookahead's group on the next line") << u"a(?=\\n(b))"_s << 1 << u"a\nb a"_s << u"00100"_s;
        QTest::addRow("a lookbehind's group on the line before") << u"(?<=(x)\\n)y"_s << 1 << u"x\ny"_s << u"100"_s;
        QTest::addRow("overlapping groups show the later match") << u"\\w(?=(\\w*))"_s << 1 << u"abc"_s << u"012|"_s;
        QTest::addRow("empty matches beside a painted one") << u"x*"_s << 0 << u"yxy"_s << u"|02|0:"_s;
        QTest::addRow("word boundaries, also at the end") << u"\\b"_s << 0 << u"ab cd"_s << u"|00:0|00:"_s;
        QTest::addRow("an empty group") << u"a()b"_s << 1 << u"ab ab"_s << u"0|000:0"_s;
        QTest::addRow("an empty lookahead group on the next line") << u"a(?=\\n(x?))"_s << 1 << u"a\nb"_s << u"00|0"_s;
    }

    void paintsTheActiveGroup()
    {
        QFETCH(QString, pattern);
        QFETCH(int, group);
        QFETCH(QString, text);
        Fixture f;
        f.paint(pattern, text, group);
        QTEST(f.painting(), "painting");
        f.controller.setActiveGroup(group == 0 ? 1 : 0);
        f.controller.setActiveGroup(group);
        QTEST(f.painting(), "painting");
    }

    void matchesOnlyOnTheirOwnText()
    {
        Fixture f;
        f.paint(u"b"_s, u"abab"_s);
        QCOMPARE(f.painting(), u"0102"_s);
        // Laid onto another text they would sit on the wrong characters.
        f.view.withoutChangeReports([&] { f.view.setPlainText(u"xabab"_s); });
        f.controller.setMatches(f.controller.matches(), u"abab"_s);
        QCOMPARE(f.painting(), u"00000"_s);

        // Stale matches (of an earlier pattern) are dimmed; once the text has changed, the next paint drops them.
        f.paint(u"x"_s, u"xxyy"_s);
        f.controller.setMatches(f.controller.matches(), f.controller.text(), true);
        QCOMPARE(f.painting(), u"ab00"_s);
        QTextCursor(f.view.document()).insertText(u"y"_s);
        f.controller.updateHighlighting();
        QCOMPARE(f.painting(), u"00000"_s);
    }

    void paintsInThePaletteHandedDown()
    {
        Fixture f;
        f.paint(u"a"_s, u"aa"_s);
        f.controller.setAppearance(DarkAppearance());
        const QList<QTextLayout::FormatRange> formats = f.view.document()->firstBlock().layout()->formats();
        QCOMPARE(formats.size(), 2);
        QCOMPARE(formats.at(0).format.background().color(), DarkAppearance().matchColor().toQColor());
        QCOMPARE(formats.at(1).format.background().color(), DarkAppearance().alternateMatchColor().toQColor());
    }

    // Empty matches show as markers; "a*" paints each "a". A text this long goes into the view piece by piece, and is
    // painted once all of it is in.
    void zeroLengthMatchesOnALargeText()
    {
        Fixture f;
        f.paint(u"a*"_s, u"abc def\n"_s.repeated(125'000));
        QVERIFY(f.controller.matches().count() > 100'000);
        QTRY_COMPARE(f.painting().left(8), u"1:0|0:0|"_s);
    }
};

QTEST_MAIN(tst_OutputTextViewController)
#include "tst_OutputTextViewController.moc"

#include "TestSettings.h"
#include "core/evaluation/EvaluationThreadPool.h"
#include "core/evaluation/MatchResults.h"
#include "core/evaluation/RegularExpressionController.h"
#include "core/platform/SystemAppearanceMonitor.h"
#include "core/settings/LightAppearance.h"
#include "core/settings/UserDefaults.h"
#include "gui/editor/OutputTextViewController.h"
#include "gui/editor/OutputTextViewControllerDelegate.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QThreadPool>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

class RecordingDelegate final : public OutputTextViewControllerDelegate
{
public:
    void outputTextViewControllerDidStartUpdatingMatches(OutputTextViewController *) override { ++starts; }
    void outputTextViewControllerDidUpdateMatches(OutputTextViewController *, const MatchResults &matches) override
    {
        results.append(matches);
    }
    void outputTextViewControllerDidFinishUpdatingMatchesWithError(OutputTextViewController *,
                                                                   const QString &message) override
    {
        errors.append(message);
    }
    void outputTextViewControllerDidStopUpdatingMatches(OutputTextViewController *,
                                                        EvaluationStopReason reason) override
    {
        stops.append(reason);
    }
    void outputTextViewControllerDidFailMatching(OutputTextViewController *, UErrorCode status,
                                                 qsizetype matchesFound) override
    {
        failures.append({status, matchesFound});
    }
    int starts = 0;
    QList<MatchResults> results;
    QStringList errors;
    QList<EvaluationStopReason> stops;
    QList<std::pair<UErrorCode, qsizetype>> failures;
};

struct Fixture
{
    Fixture()
        : controller(&view)
    {
        controller.setDelegate(&delegate);
        view.resize(600, 400);
        view.show();
    }

    // The background of every character, by its position: 0 unpainted, 1 the even colour, 2 the odd one; a and b
    // the same, dimmed. A marker of an empty range stands before the character at its position, | in the even
    // colour, : in the odd one.
    QString painting() const
    {
        const LightAppearance palette;
        QString marks;
        for (QTextBlock block = view.document()->firstBlock(); block.isValid(); block = block.next()) {
            QString line(block.length(), u'0');
            for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
                const QColor color = range.format.background().color();
                const bool even = color.rgb() == palette.matchColor().toQColor().rgb();
                const QChar mark = color.alphaF() < 1 ? (even ? u'a' : u'b') : (even ? u'1' : u'2');
                for (int i = range.start; i < range.start + range.length; ++i)
                    line[i] = mark;
            }
            marks += line;
        }
        marks.truncate(view.toPlainText().size());
        QList<NSTextViewWithPlaceholder::Marker> markers = view.markers();
        std::ranges::sort(markers, std::ranges::greater(), &NSTextViewWithPlaceholder::Marker::position);
        for (const NSTextViewWithPlaceholder::Marker &marker : markers)
            marks.insert(marker.position, marker.color.rgb() == palette.matchColor().toQColor().rgb() ? u'|' : u':');
        return marks;
    }

    void waitForResults(qsizetype count) { QTRY_COMPARE_WITH_TIMEOUT(delegate.results.size(), count, 10000); }

    NSTextViewWithPlaceholder view;
    OutputTextViewController controller;
    RecordingDelegate delegate;
};

} // namespace

class tst_OutputTextViewController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void paintsTheActiveGroup_data();
    void paintsTheActiveGroup();
    void emptyAndUnchangedPatterns();
    void invalidPatternDimsThePainting();
    void comparesByCodeUnits();
    void staleResultsAreNotPainted();
    void editsDuringARunaway();
    void oldPaintingGivesWayToASlowRun();
    void editsInterleavedWithRuns();
    void zeroLengthMatchesOnALargeText();
    void noBudgetNeverStops();
    void stopAndEditTogether_data();
    void stopAndEditTogether();
};

void tst_OutputTextViewController::init()
{
    resetSettingsToLightDefaults();
}

void tst_OutputTextViewController::paintsTheActiveGroup_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("painting");
    QTest::addRow("whole matches alternate") << u"a+"_s << 0 << u"a aa b aaa"_s << u"1022000111"_s;
    QTest::addRow("a group") << u"(\\w)(\\d)"_s << 2 << u"a1 b2"_s << u"01002"_s;
    QTest::addRow("a group beyond the pattern's") << u"(a)"_s << 2 << u"aaa"_s << u"000"_s;
    QTest::addRow("a group that took no part") << u"(x)?a"_s << 1 << u"a xa"_s << u"0020"_s;
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

void tst_OutputTextViewController::paintsTheActiveGroup()
{
    QFETCH(QString, pattern);
    QFETCH(int, group);
    QFETCH(QString, text);
    Fixture f;
    f.view.setText(text);
    f.waitForResults(1);
    f.controller.setActiveGroup(group);
    f.controller.setPattern(pattern);
    f.waitForResults(2);
    QTEST(f.painting(), "painting");
    // A change of the group repaints without evaluating again.
    f.controller.setActiveGroup(group == 0 ? 1 : 0);
    f.controller.setActiveGroup(group);
    QTEST(f.painting(), "painting");
    QCOMPARE(f.delegate.results.size(), 2);
}

void tst_OutputTextViewController::emptyAndUnchangedPatterns()
{
    Fixture f;
    f.view.setText(u"aaa"_s);
    f.controller.setPattern(u"a"_s);
    f.waitForResults(2);
    QCOMPARE(f.delegate.starts, 1);
    f.controller.setPattern(u"a"_s);
    QTest::qWait(50);
    QCOMPARE(f.delegate.starts, 1);
    QCOMPARE(f.delegate.results.size(), 2);

    f.controller.setPattern(QString());
    QCOMPARE(f.delegate.results.size(), 3);
    QVERIFY(f.delegate.results.last().isEmpty());
    QCOMPARE(f.delegate.starts, 1);
    QCOMPARE(f.painting(), u"000"_s);
}

void tst_OutputTextViewController::invalidPatternDimsThePainting()
{
    Fixture f;
    f.view.setText(u"ab"_s);
    f.controller.setPattern(u"a"_s);
    f.waitForResults(2);
    f.controller.setPattern(u"a(["_s);
    QCOMPARE(f.delegate.errors, QStringList {u"Expression is invalid"_s});
    QCOMPARE(f.delegate.starts, 2);
    QVERIFY(f.controller.compileError().has_value());
    QVERIFY(!f.controller.compileError()->message.isEmpty());
    // Still there, but not to be taken for the invalid pattern's result.
    QCOMPARE(f.painting(), u"a0"_s);
    QCOMPARE(f.controller.matches().count(), 1);
    f.controller.setPattern(u"b"_s);
    f.waitForResults(3);
    QCOMPARE(f.painting(), u"01"_s);
}

void tst_OutputTextViewController::comparesByCodeUnits()
{
    Fixture f;
    f.view.setText(u"caf\u00e9 cafe\u0301"_s);
    f.controller.setPattern(u"caf\u00e9"_s);
    f.waitForResults(2);
    QCOMPARE(f.painting(), u"1111000000"_s);
    // Canonically equal, but the engine matches the other spelling: it must be evaluated again.
    f.controller.setPattern(u"cafe\u0301"_s);
    f.waitForResults(3);
    QCOMPARE(f.painting(), u"0000011111"_s);
}

void tst_OutputTextViewController::staleResultsAreNotPainted()
{
    Fixture f;
    f.view.setText(u"abab"_s);
    f.controller.setPattern(u"b"_s);
    f.waitForResults(2);
    QCOMPARE(f.painting(), u"0102"_s);
    // Results of the old text must not be laid onto the new one.
    f.view.withoutChangeReports([&] { f.view.setPlainText(u"xabab"_s); });
    f.controller.setMatches(f.controller.matches());
    QCOMPARE(f.painting(), u"00000"_s);
    QCOMPARE(f.delegate.results.size(), 2);
}

void tst_OutputTextViewController::editsDuringARunaway()
{
    Fixture f;
    f.view.setText(QString(40, u'a') + u'b');
    f.waitForResults(1);
    f.controller.setPattern(u"(a+)+$"_s);
    QTRY_VERIFY(f.controller.isEvaluatingExpression());
    QVERIFY(f.controller.expressionController());
    // The next keystroke stops the run; the newest input is evaluated and the runaway's results never appear.
    f.controller.setPattern(u"b"_s);
    f.waitForResults(2);
    QCOMPARE(f.delegate.results.last().count(), 1);
    QVERIFY(!f.controller.isEvaluatingExpression());
    QVERIFY(!f.controller.expressionController());
}

void tst_OutputTextViewController::oldPaintingGivesWayToASlowRun()
{
    Fixture f;
    f.view.setText(u"xx"_s + QString(40, u'a') + u'b');
    f.controller.setPattern(u"x"_s);
    f.waitForResults(2);
    QCOMPARE(f.painting().left(3), u"120"_s);
    // The old pattern's matches still sit on the right characters: dimmed.
    f.controller.setPattern(u"x|(a+)+$"_s);
    QTRY_COMPARE(f.painting().left(3), u"ab0"_s);
    QVERIFY(f.controller.expressionController());
    // After an edit in the middle they would sit on shifted characters: gone.
    QTextCursor cursor(f.view.document());
    cursor.setPosition(1);
    cursor.insertText(u"x"_s);
    QTRY_COMPARE(f.painting(), QString(f.view.text().size(), u'0'));
    QVERIFY(f.controller.stopEvaluation());
    QTRY_VERIFY(!f.controller.expressionController());
}

void tst_OutputTextViewController::editsInterleavedWithRuns()
{
    Fixture f;
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += u"word "_s;
    f.view.setText(text);
    QRandomGenerator random(7);
    const QStringList patterns {u"w\\w+"_s, u"(o)(r)"_s, u"d\\s"_s, u"(a+)+$"_s, u"x?"_s, u"[a-z]+"_s};
    for (int round = 0; round < 60; ++round) {
        if (random.bounded(3) == 0)
            f.view.textCursor().insertText(u"w"_s);
        f.controller.setTimeBudget(std::chrono::milliseconds(random.bounded(4)));
        f.controller.setPattern(patterns.at(random.bounded(int(patterns.size()))));
        if (random.bounded(4) == 0)
            f.controller.stopEvaluation();
        // Let some runs start, some finish, some be cut short by an edit, a stop or the budget.
        QTest::qWait(int(random.bounded(4)));
    }
    f.controller.setTimeBudget(0ms);
    f.controller.setPattern(u"wo"_s);
    // Whatever came before, the newest pattern and text are evaluated, and only their results are painted.
    const qsizetype expected = f.view.text().count(u"wo"_s);
    QTRY_VERIFY_WITH_TIMEOUT(!f.controller.expressionController() && f.controller.matches().count() == expected, 10000);
    QCOMPARE(f.controller.lastText(), f.view.text());
    QCOMPARE(f.controller.matches().range(0, 0).location, f.view.text().indexOf(u"wo"_s));
    const qsizetype first = f.view.text().indexOf(u"wo"_s);
    QCOMPARE(f.painting().mid(first - 1, 4), u"0110"_s);
}

void tst_OutputTextViewController::zeroLengthMatchesOnALargeText()
{
    Fixture f;
    QString text;
    while (text.size() < 1'000'000)
        text += u"abc def\n"_s;
    f.view.setText(text);
    f.waitForResults(1);
    f.controller.setOptions(anchorsMatchLinesOption);
    for (const QString &pattern : {u"a*"_s, u"\\b"_s, u"^"_s}) {
        const qsizetype before = f.delegate.results.size();
        f.controller.setPattern(pattern);
        f.waitForResults(before + 1);
        QVERIFY(f.controller.matches().count() > 100'000);
        // Empty matches show as markers; "a*" paints each "a".
        const QString expected = pattern == u"a*"_s ? u"1:0|0:0|"_s : pattern == u"^"_s ? u"|0000000"_s : u"|000:0|0"_s;
        QCOMPARE(f.painting().left(8), expected);
    }
}

void tst_OutputTextViewController::noBudgetNeverStops()
{
    Fixture f;
    f.controller.setTimeBudget(0ms);
    // Every position scans to the end of its line: a fraction of a second of searching.
    f.view.setText(QString(u"y"_s.repeated(99) + u'\n').repeated(3000) + u'z');
    f.controller.setPattern(u".*z"_s);
    f.waitForResults(2);
    QCOMPARE(f.delegate.results.last().count(), 1);
    QVERIFY(f.delegate.stops.isEmpty());
}

void tst_OutputTextViewController::stopAndEditTogether_data()
{
    QTest::addColumn<bool>("editFirst");
    QTest::addRow("an edit after the stop is evaluated") << false;
    QTest::addRow("a stop after an edit keeps the edit from running") << true;
}

void tst_OutputTextViewController::stopAndEditTogether()
{
    QFETCH(bool, editFirst);
    Fixture f;
    f.view.setText(QString(40, u'a') + u'b');
    f.waitForResults(1);
    f.controller.setPattern(u"(a+)+$"_s);
    QTRY_VERIFY(f.controller.isEvaluatingExpression());
    if (editFirst)
        f.controller.setPattern(u"b"_s);
    QVERIFY(f.controller.stopEvaluation());
    if (!editFirst)
        f.controller.setPattern(u"b"_s);
    QTRY_VERIFY(EvaluationThreadPool::instance()->waitForDone(0) && !f.controller.expressionController());
    QCoreApplication::processEvents();
    QCOMPARE(f.delegate.stops.size(), editFirst ? 1 : 0);
    QCOMPARE(f.delegate.results.size(), editFirst ? 1 : 2);
}

QTEST_MAIN(tst_OutputTextViewController)
#include "tst_OutputTextViewController.moc"

#include "EditorTestSupport.h"
#include "EvaluationTestSupport.h"
#include "TestSettings.h"
#include "core/evaluation/ActiveGroupController.h"
#include "core/evaluation/MatchEvaluation.h"
#include "core/evaluation/SubstitutionController.h"
#include "core/settings/LightAppearance.h"
#include "core/settings/UserDefaults.h"
#include "gui/editor/EvaluationStatusRow.h"
#include "gui/editor/OutputTextViewController.h"
#include "gui/editor/SubstitutionViewController.h"
#include "gui/widgets/BoxView.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>
#include <QTreeView>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// The start of the wavy underline in the block, or -1.
int wavyUnderline(const QTextBlock &block)
{
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline)
            return range.start;
    }
    return -1;
}

bool hasBackground(const QTextBlock &block)
{
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (range.format.background().style() != Qt::NoBrush)
            return true;
    }
    return false;
}

struct Fixture : EditorFixture
{
    using EditorFixture::EditorFixture;
    bool samplePainted() const { return hasBackground(editor.outputTextView()->document()->firstBlock()); }
};

// Counts a widget's shows: a quick run must never show the processing label, not even for a frame.
struct ShowCounter final : QObject
{
    bool eventFilter(QObject *, QEvent *event) override
    {
        shows += event->type() == QEvent::Show;
        return false;
    }
    int shows = 0;
};

void showPanels()
{
    UserDefaults::standard().setValue(MatchInspectorViewController::shownKey(), true);
    UserDefaults::standard().setValue(SubstitutionViewController::shownKey(), true);
}

} // namespace

class tst_ExpressionViewController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startClean(); }

    // Every character of the pattern and the text reaches the view, the engine and, typed, the expression unchanged;
    // another expression takes nothing of the first.
    void editsChangeTheExpression()
    {
        const QString text = u"a\r\nb\rc\nb\u2028d\u2029b\u0085e\u00a0f"_s + QChar(0) + u"g"_s + QChar(0xd800) + u"h"_s
            + QChar(0xdc00) + u"i\ufdd0\ufdd1\r"_s;
        const QString pattern = u"(?m)^b|\r\n?|[\u2028\u2029\u0085]|\\x{0}|\\p{Cs}|z"_s;
        Fixture f(text);
        f.expression.setPattern(pattern);
        f.editor.setExpression(&f.expression);
        QCOMPARE(f.editor.inputTextView()->text(), pattern);
        QCOMPARE(f.editor.outputTextView()->text(), text);
        QTRY_COMPARE(described(f.editor.outputTextViewController()->matches()),
                     described(evaluated(pattern, text)->results()));
        f.editor.outputTextView()->moveCursor(QTextCursor::End);
        QTest::keyClick(f.editor.outputTextView(), Qt::Key_Z);
        QCOMPARE(f.expression.text(), text + u'z');
        f.setPattern(u"\\d+"_s);
        QCOMPARE(f.expression.pattern(), u"\\d+"_s);

        Expression other(u"Other"_s, u"x"_s, u"xyz"_s);
        f.editor.setExpression(&other);
        QCOMPARE(f.editor.inputTextView()->text(), u"x"_s);
        QCOMPARE(f.expression.text(), text + u'z');
        QCOMPARE(other.text(), u"xyz"_s);

        f.editor.setExpression(nullptr);
        QVERIFY(f.editor.findChild<QLabel *>(u"noSelectedExpressionLabel"_s)->isVisible());
        QVERIFY(!f.editor.inputTextView()->isVisible());
    }

    void invalidPatternShowsTheError_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("underlined");
        QTest::addRow("unclosed group") << u"(\\d+"_s << u"a parenthesis is not closed \u00B7 line 1, column 4"_s << 0
                                        << 3;
        QTest::addRow("stray parenthesis on the second line")
            << u"\\d\n\\d)+"_s << u"unmatched closing parenthesis \u00B7 line 2, column 3"_s << 1 << 2;
        QTest::addRow("at the end of an empty last line")
            << u"(a\n"_s << u"a parenthesis is not closed \u00B7 at the end"_s << 0 << 1;
    }

    void invalidPatternShowsTheError()
    {
        QFETCH(QString, pattern);
        QFETCH(int, line);
        Fixture f;
        f.setPattern(u"\\d+"_s);
        QTRY_VERIFY(f.samplePainted());
        f.setPattern(pattern);
        QTEST(f.editor.errorDetailLabel()->text(), "detail");
        QVERIFY(f.editor.errorLabel()->toolTip().contains(u"offset"_s));
        QVERIFY(!f.editor.isErrorLabelHidden());
        QVERIFY(f.editor.statusRow()->resultLabel()->isHidden());
        QTEST(wavyUnderline(f.editor.inputTextView()->document()->findBlockByNumber(line)), "underlined");
        // The last matches stay, dimmed.
        QVERIFY(f.editor.outputTextViewController()->isStale());
        QVERIFY(f.samplePainted());

        f.setPattern(u"(\\d+)"_s);
        QTRY_VERIFY(f.editor.isErrorLabelHidden());
        QTRY_VERIFY(f.editor.statusRow()->resultLabel()->isVisible());
        QCOMPARE(wavyUnderline(f.editor.inputTextView()->document()->firstBlock()), -1);
        QTRY_VERIFY(!f.editor.outputTextViewController()->isStale());
    }

    // The stepped-to group is marked in both views, which keep their colouring through a switch of sizes.
    void steppingGroupsMarksBothViews()
    {
        Fixture f;
        f.setPattern(u"(\\d+)-(\\d+)"_s);
        QTRY_COMPARE(f.editor.highlightingGroupLabel()->text(), u"highlighting group 0 of 2 \u00B7 2 matches"_s);
        QVERIFY(f.editor.activeGroupController()->highlightNextGroup());
        QVERIFY(f.editor.activeGroupController()->highlightNextGroup());
        QCOMPARE(f.editor.inputTextView()->highlightedGroup(), 2);
        QCOMPARE(f.editor.outputTextViewController()->activeGroup(), 2);
        QTRY_VERIFY(f.editor.groupBox()->isVisible());
        QTRY_VERIFY(hasBackground(f.editor.outputTextView()->document()->firstBlock()));
        QVERIFY(hasBackground(f.editor.inputTextView()->document()->firstBlock()));
        for (const ViewMode mode : {ViewMode::presentation, ViewMode::normal, ViewMode::presentation}) {
            f.editor.setViewMode(mode);
            QVERIFY(hasBackground(f.editor.inputTextView()->document()->firstBlock()));
            QTRY_VERIFY(hasBackground(f.editor.outputTextView()->document()->firstBlock()));
        }
    }

    void processingLabelShowsHowFarTheSearchHasCome_data()
    {
        QTest::addColumn<int>("prefix");
        QTest::addColumn<QString>("expected");
        QTest::addRow("59 of 100 units") << 59 << u"processing… 59 %"_s;
        QTest::addRow("rounded down") << 3959 << u"processing… 98 %"_s;
    }

    void processingLabelShowsHowFarTheSearchHasCome()
    {
        QFETCH(int, prefix);
        Fixture f;
        // Runs away after finding every "x".
        f.editor.outputTextView()->setText(QString(prefix, u'x') + catastrophicText());
        f.setPattern(u"x|(a+)+$"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!f.editor.isProcessingLabelHidden(), 3000);
        QTEST(f.editor.processingLabel()->text(), "expected");
        QVERIFY(f.editor.stopButton()->isVisible());
        QVERIFY(f.editor.statusRow()->resultLabel()->isHidden());
        f.setPattern(u"x"_s);
        QTRY_VERIFY(f.editor.isProcessingLabelHidden());
    }

    void stopShowsAWarningUntilTheNextEdit_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addRow("Esc in the pattern") << u"pattern"_s;
        QTest::addRow("Esc in the sample text") << u"text"_s;
        QTest::addRow("the stop button") << u"button"_s;
        QTest::addRow("the time budget") << u"budget"_s;
    }

    void stopShowsAWarningUntilTheNextEdit()
    {
        QFETCH(QString, how);
        Fixture f;
        f.editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.editor));
        if (how == u"budget") // far below the delay of the processing label: the stop is told all the same
            f.editor.matchEvaluation()->setTimeBudget(100ms);
        f.editor.outputTextView()->setText(u"xx"_s + catastrophicText());
        f.setPattern(u"x"_s);
        QTRY_VERIFY(f.samplePainted());
        f.setPattern(u"x|(a+)+$"_s);
        if (how != u"budget")
            QTRY_VERIFY_WITH_TIMEOUT(f.editor.stopButton()->isVisible(), 3000);
        if (how == u"button")
            f.editor.stopButton()->click();
        if (how == u"pattern" || how == u"text") {
            QWidget *view
                = how == u"pattern" ? static_cast<QWidget *>(f.editor.inputTextView()) : f.editor.outputTextView();
            view->setFocus();
            QTest::keyClick(view, Qt::Key_Escape);
        }
        QTRY_VERIFY(f.editor.warningLabel()->isVisible());
        QCOMPARE(f.editor.warningLabel()->text(),
                 how == u"budget" ? u"Stopped after 0.1 s (time budget). Change it in Preferences."_s
                                  : u"Evaluation stopped."_s);
        QTRY_VERIFY(f.editor.stopButton()->isHidden());
        QVERIFY(f.editor.statusRow()->resultLabel()->isHidden());
        // Neither the last results nor the partial ones stay painted or counted.
        QVERIFY(!f.samplePainted());
        QCOMPARE(f.editor.highlightingGroupLabel()->text(), u"highlighting group 0 of 1"_s);

        // A new look is no reason to run it again; the next edit is.
        UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 1);
        QVERIFY(!f.editor.matchEvaluation()->isEvaluating());
        f.setPattern(u"a"_s);
        QVERIFY(f.editor.isWarningLabelHidden());
        QTRY_COMPARE(f.editor.outputTextViewController()->matches().count(), 40);

        // With nothing running, Esc is left to whoever else wants it.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(f.editor.inputTextView(), &escape);
        QVERIFY(!escape.isAccepted());
    }

    void engineFailureIsNoResult_data()
    {
        QTest::addColumn<int>("injected");
        QTest::addColumn<QString>("message");
        const auto failed = [](const QString &cause, int found, const QString &remedy = QString()) {
            return u"Matching failed: %1. %2 matches were found before it and are not shown.%3"_s.arg(
                cause, QString::number(found), remedy);
        };
        QTest::addRow("backtrack stack overflow")
            << int(U_ZERO_ERROR)
            << failed(u"the pattern needs more backtracking memory than the backtrack stack limit allows "
                      u"(U_REGEX_STACK_OVERFLOW)"_s,
                      2, u" The limit of 0.001 MB can be raised in Preferences."_s);
        QTest::addRow("any other failure")
            << int(U_INTERNAL_PROGRAM_ERROR) << failed(u"the engine reported an error (U_INTERNAL_PROGRAM_ERROR)"_s, 3);
    }

    void engineFailureIsNoResult()
    {
        QFETCH(int, injected);
        showPanels();
        Fixture f(u"x x y"_s + QString(2000, u'a'));
        f.evaluate(u"x"_s);
        if (injected == U_ZERO_ERROR)
            UserDefaults::standard().setValue(UserDefaultsKey::backtrackStackLimit, 1000);
        else
            f.editor.matchEvaluation()->setInjectedMatchingError(UErrorCode(injected));
        // With the limit of 1000 bytes, "y" and what follows it are too much for the engine.
        f.setPattern(u"x|y(?:.|\n)*"_s);
        QTRY_VERIFY(f.editor.warningLabel()->isVisible());
        QTEST(f.editor.warningLabel()->text(), "message");
        // What it found before is no result: not painted, counted, listed or replaced.
        QVERIFY(!f.samplePainted());
        QCOMPARE(f.editor.highlightingGroupLabel()->text(), u"highlighting group 0 of 0"_s);
        QCOMPARE(f.editor.matchInspector()->model()->rowCount(), 0);
        QVERIFY(!f.editor.substitutionPanel()->result());

        // The remedy: a new limit evaluates again.
        f.editor.matchEvaluation()->setInjectedMatchingError(U_ZERO_ERROR);
        UserDefaults::standard().setValue(UserDefaultsKey::backtrackStackLimit, 0);
        QTRY_COMPARE(f.editor.outputTextViewController()->matches().count(), 3);
        QVERIFY(f.editor.isWarningLabelHidden());
    }

    void resultLineStatesTheOutcome_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("line");
        const QString took = u" in (<\u00A00\\.1|\\d+|\\d\\.\\d)\u00A0ms"_s;
        const QString dates = u"(?<year>\\d{4})-(\\d\\d)"_s;
        QTest::addRow("nothing searched yet") << QString() << 0 << u"no matches found"_s;
        QTest::addRow("matches and the time") << dates << 0 << u"2 matches"_s + took;
        QTest::addRow("the name of the highlighted group")
            << dates << 1 << u"2 matches"_s + took + u" \u00B7 group\u00A0\u201Cyear\u201D"_s;
        QTest::addRow("a group without a name") << dates << 2 << u"2 matches"_s + took;
        QTest::addRow("one match") << u"2024"_s << 0 << u"1 match"_s + took;
        QTest::addRow("none found") << u"2025"_s << 0 << u"no matches found"_s + took;
    }

    // Always there, whatever the group; an error, a long run or a stop takes its place, as their tests show.
    void resultLineStatesTheOutcome()
    {
        QFETCH(QString, pattern);
        QFETCH(int, group);
        QFETCH(QString, line);
        Fixture f;
        ShowCounter processing;
        f.editor.processingLabel()->installEventFilter(&processing);
        f.setPattern(pattern);
        QTRY_VERIFY(group == 0 || f.editor.activeGroupController()->maxNumberOfGroups() > group);
        f.editor.activeGroupController()->setActiveGroup(group);
        QLabel *result = f.editor.statusRow()->resultLabel();
        const QRegularExpression expected(u'^' + line + u'$');
        QTRY_VERIFY2(expected.match(result->text()).hasMatch(), qPrintable(result->text()));
        QVERIFY(result->isVisible());
        QCOMPARE(processing.shows, 0);
    }

    void caretTakesTheSelectionColour()
    {
        // Always on, so that the picture never falls between two blinks.
        QApplication::setCursorFlashTime(0);
        Fixture f(u"sample"_s);
        f.editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.editor));
        for (NSTextViewWithPlaceholder *view :
             {static_cast<NSTextViewWithPlaceholder *>(f.editor.inputTextView()), f.editor.outputTextView()}) {
            view->setFocus();
            QTRY_VERIFY(view->hasFocus());
            const QRect caret = view->cursorRect();
            QVERIFY(caret.isValid());
            const LightAppearance light;
            const Color selection
                = view == f.editor.outputTextView() ? light.outputSelectionColor() : light.patternSelectionColor();
            QCOMPARE(view->viewport()->grab().toImage().pixelColor(caret.center()), selection.toQColor());
        }
    }

    void inspectorFollowsEvaluations()
    {
        showPanels();
        Fixture f;
        // An earlier run's rows must all go.
        f.evaluate(u"(\\d)(\\d)(\\d)(\\d)"_s);
        f.evaluate(u"(\\d+)-(\\d+)"_s);
        const MatchInspectorModel *model = f.editor.matchInspector()->model();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(1, MatchInspectorModel::textColumn).data().toString(), u"1999-12"_s);
        QCOMPARE(f.editor.matchInspector()->countLabel()->text(), u"2 matches"_s);
        f.evaluate(u"(\\d"_s);
        QCOMPARE(model->rowCount(), 0);

        // Hidden, it lists nothing; shown again, the latest results.
        UserDefaults::standard().setValue(MatchInspectorViewController::shownKey(), false);
        f.setPattern(u"\\d+"_s);
        QTRY_COMPARE(f.editor.outputTextViewController()->matches().count(), 6);
        QCOMPARE(model->rowCount(), 0);
        UserDefaults::standard().setValue(MatchInspectorViewController::shownKey(), true);
        QCOMPARE(model->rowCount(), 6);
    }

    void selectingARowSelectsTheSampleText_data()
    {
        QTest::addColumn<int>("match");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        // "2024-05-01 and 1999-12-31" with (\d+)-(\d+)(x)?
        QTest::addRow("second match") << 1 << 0 << 15 << 22;
        QTest::addRow("group of the first match") << 0 << 2 << 5 << 7;
        QTest::addRow("group that took no part keeps the selection") << 1 << 3 << 0 << 0;
    }

    void selectingARowSelectsTheSampleText()
    {
        QFETCH(int, match);
        QFETCH(int, group);
        showPanels();
        Fixture f;
        f.evaluate(u"(\\d+)-(\\d+)(x)?"_s);
        QSignalSpy edits(&f.expression, &Expression::textChanged);
        QSignalSpy evaluations(f.editor.matchEvaluation(), &MatchEvaluation::isEvaluatingChanged);
        QTreeView *view = f.editor.matchInspector()->treeView();
        const QModelIndex matchRow = view->model()->index(match, 0);
        view->setCurrentIndex(group == 0 ? matchRow : view->model()->index(group - 1, 0, matchRow));
        const QTextCursor cursor = f.editor.outputTextView()->textCursor();
        QTEST(cursor.selectionStart(), "start");
        QTEST(cursor.selectionEnd(), "end");
        // Selecting is no edit: nothing saved, nothing evaluated anew.
        QCoreApplication::processEvents();
        QCOMPARE(edits.count(), 0);
        QCOMPARE(evaluations.count(), 0);
    }

    void activatingAGroupRowHighlightsIt()
    {
        showPanels();
        Fixture f;
        f.editor.resize(800, 900);
        f.evaluate(u"(\\d+)-(\\d+)"_s);
        QTreeView *view = f.editor.matchInspector()->treeView();
        const QModelIndex firstMatch = view->model()->index(0, 0);
        view->expand(firstMatch);
        const QModelIndex secondGroup = view->model()->index(1, 0, firstMatch);
        view->scrollTo(secondGroup);
        // As the window system sends it: a click, then the second press as a double-click.
        const QPoint centre = view->visualRect(secondGroup).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(f.editor.activeGroupController()->activeGroup(), 0);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(f.editor.activeGroupController()->activeGroup(), 2);

        // A match row opens and closes; it leaves the highlighted group alone.
        view->setCurrentIndex(firstMatch);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(f.editor.activeGroupController()->activeGroup(), 2);
        view->setCurrentIndex(view->model()->index(0, 0, firstMatch));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(f.editor.activeGroupController()->activeGroup(), 1);
    }

    void previewFollowsEditsAndItsPanel()
    {
        showPanels();
        Fixture f(u"a1 b22"_s);
        f.expression.setReplacement(u"<$1>"_s);
        f.editor.setExpression(&f.expression);
        SubstitutionViewController *panel = f.editor.substitutionPanel();
        QCOMPARE(panel->replacementField()->text(), u"<$1>"_s);
        f.setPattern(u"(\\d+)"_s);
        QTRY_COMPARE(panel->result(), std::optional(u"a<1> b<22>"_s));

        f.editor.outputTextView()->textCursor().insertText(u"c3 "_s);
        QVERIFY(!panel->result());
        QTRY_COMPARE(panel->result(), std::optional(u"c<3> a<1> b<22>"_s));
        UserDefaults::standard().setValue(UserDefaultsKey::caseInsensitive, true);
        f.setPattern(u"([A-C])"_s);
        QTRY_COMPARE(panel->result(), std::optional(u"<c>3 <a>1 <b>22"_s));
        f.setPattern(u"([A-C]"_s);
        QTRY_COMPARE(panel->previewView()->text(), QString());
        QVERIFY(!panel->result());
        QCOMPARE(panel->statusLabel()->text(), QString());

        // Hidden, it computes nothing; shown again, it catches up.
        UserDefaults::standard().setValue(SubstitutionViewController::shownKey(), false);
        f.setPattern(u"(\\d)"_s);
        QTRY_COMPARE(f.editor.outputTextViewController()->matches().count(), 4);
        QVERIFY(!panel->substitutionController()->isRunning());
        QVERIFY(!panel->result());
        UserDefaults::standard().setValue(SubstitutionViewController::shownKey(), true);
        QTRY_COMPARE(panel->result(), std::optional(u"c<3> a<1> b<2><2>"_s));

        // A long result is previewed from its start, up to a line end where one is near; the copy is whole.
        panel->setMaximumPreviewLength(9);
        f.editor.outputTextView()->setText(u"1 2\n3 4 5 6\n7"_s);
        QTRY_COMPARE(panel->result(), std::optional(u"<1> <2>\n<3> <4> <5> <6>\n<7>"_s));
        QCOMPARE(panel->previewView()->text(), u"<1> <2>\n"_s);
        QCOMPARE(panel->statusLabel()->text(),
                 u"7 replacements; the preview shows the first 8 of 27 characters, Copy "
                 u"Substitution Result copies all"_s);
        QVERIFY(f.editor.copySubstitutionResult());
        QCOMPARE(QApplication::clipboard()->text(), *panel->result());

        // A template typed in the field is the expression's; its mistakes are the panel's, not the pattern's.
        panel->replacementField()->clear();
        QTest::keyClicks(panel->replacementField(), u"$2"_s);
        QCOMPARE(f.expression.replacement(), u"$2"_s);
        QTRY_VERIFY(panel->showsError());
        QCOMPARE(panel->statusLabel()->text(),
                 u"The replacement refers to group 2, but the pattern has only 1 group"_s);
        QVERIFY(!panel->result());
        QVERIFY(f.editor.isErrorLabelHidden());
    }
};

QTEST_MAIN(tst_ExpressionViewController)
#include "tst_ExpressionViewController.moc"

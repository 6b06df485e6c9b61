#include "app/BoxView.h"
#include "app/ExpressionViewController.h"
#include "app/NSTextViewWithPlaceholder.h"
#include "app/ViewAnimations.h"
#include "evaluation/ActiveGroupController.h"
#include "evaluation/OutputTextViewController.h"
#include "library/Expression.h"
#include "pattern/PatternTextView.h"
#include "platform/SystemAppearanceMonitor.h"
#include "settings/UserDefaults.h"
#include "settings/ViewSizeController.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

bool hasBackground(const QTextBlock &block)
{
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (range.format.background().style() != Qt::NoBrush)
            return true;
    }
    return false;
}

struct Fixture
{
    Fixture()
        : expression(u"Dates"_s, QString(), u"2024-05-01 and 1999-12-31"_s)
    {
        editor.resize(800, 500);
        editor.show();
        editor.setExpression(&expression);
    }

    void setPattern(const QString &pattern)
    {
        editor.inputTextView()->selectAll();
        editor.inputTextView()->textCursor().insertText(pattern);
    }

    Expression expression;
    ExpressionViewController editor;
};

} // namespace

class tst_ExpressionViewController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void editsChangeTheExpression();
    void invalidPatternShowsTheError();
    void steppingGroupsMarksBothViews();
    void processingLabelOnlyForLongRuns();
    void processingLabelShowsHowFarTheSearchHasCome_data();
    void processingLabelShowsHowFarTheSearchHasCome();
    void stopShowsAWarningUntilTheNextEdit_data();
    void stopShowsAWarningUntilTheNextEdit();
    void settingsReEvaluate();
    void presentationKeepsTheColouring();
    void panelButtonsFollowAndWriteSettings();
};

void tst_ExpressionViewController::init()
{
    UserDefaults::standard().clear();
    UserDefaults::standard().registerStandardDefaults();
    SystemAppearanceMonitor::instance().setOverride(SystemAppearance::light);
}

void tst_ExpressionViewController::editsChangeTheExpression()
{
    Fixture f;
    QCOMPARE(f.editor.outputTextView()->text(), f.expression.text());
    f.setPattern(u"\\d+"_s);
    QCOMPARE(f.expression.pattern(), u"\\d+"_s);
    f.editor.outputTextView()->textCursor().insertText(u"7 "_s);
    QCOMPARE(f.expression.text(), u"7 2024-05-01 and 1999-12-31"_s);

    Expression other(u"Other"_s, u"x"_s, u"xyz"_s);
    f.editor.setExpression(&other);
    QCOMPARE(f.editor.inputTextView()->text(), u"x"_s);
    QCOMPARE(f.expression.text(), u"7 2024-05-01 and 1999-12-31"_s);
    QCOMPARE(other.text(), u"xyz"_s);

    f.editor.setExpression(nullptr);
    QVERIFY(f.editor.findChild<QLabel *>(u"noSelectedExpressionLabel"_s)->isVisible());
    QVERIFY(!f.editor.inputTextView()->isVisible());
}

void tst_ExpressionViewController::invalidPatternShowsTheError()
{
    Fixture f;
    f.setPattern(u"\\d+"_s);
    QTRY_VERIFY(f.editor.activeGroupController()->maxNumberOfGroups().has_value());
    f.setPattern(u"(\\d+"_s);
    QCOMPARE(f.editor.errorLabel()->text(), u"Expression is invalid"_s);
    QVERIFY(!f.editor.isErrorLabelHidden());
    QVERIFY(f.editor.errorLabel()->toolTip().contains(u"offset"_s));
    QVERIFY(f.editor.isGroupBoxHidden());
    QCOMPARE(f.editor.highlightingGroupLabel()->text(), u"no matches found"_s);

    f.setPattern(u"(\\d+)"_s);
    QTRY_VERIFY(f.editor.isErrorLabelHidden());
    QTRY_VERIFY(f.editor.errorLabel()->isHidden());
}

void tst_ExpressionViewController::steppingGroupsMarksBothViews()
{
    Fixture f;
    f.setPattern(u"(\\d+)-(\\d+)"_s);
    QTRY_COMPARE(f.editor.activeGroupController()->maxNumberOfGroups(), std::optional(3));
    QCOMPARE(f.editor.highlightingGroupLabel()->text(), u"highlighting group 0 of 2"_s);
    QVERIFY(f.editor.isGroupBoxHidden());

    QVERIFY(f.editor.activeGroupController()->highlightNextGroup());
    QVERIFY(f.editor.activeGroupController()->highlightNextGroup());
    QVERIFY(!f.editor.activeGroupController()->highlightNextGroup());
    QCOMPARE(f.editor.highlightingGroupLabel()->text(), u"highlighting group 2 of 2"_s);
    QCOMPARE(f.editor.inputTextView()->highlightedGroup(), 2);
    QCOMPARE(f.editor.outputTextViewController()->activeGroup(), 2);
    QVERIFY(!f.editor.isGroupBoxHidden());
    QTRY_VERIFY(f.editor.groupBox()->isVisible());

    // Fewer groups clamp the active one.
    f.setPattern(u"(\\d+)"_s);
    QTRY_COMPARE(f.editor.activeGroupController()->activeGroup(), 1);
    QCOMPARE(f.editor.inputTextView()->highlightedGroup(), 1);
    f.setPattern(u"nothing"_s);
    QTRY_COMPARE(f.editor.highlightingGroupLabel()->text(), u"no matches found"_s);
    QCOMPARE(f.editor.activeGroupController()->activeGroup(), 0);
    QTRY_VERIFY(f.editor.groupBox()->isHidden());
}

void tst_ExpressionViewController::processingLabelOnlyForLongRuns()
{
    Fixture f;
    f.setPattern(u"\\d"_s);
    QTest::qWait(ExpressionViewController::showProcessingLabelAfterTime + 100);
    QVERIFY(f.editor.isProcessingLabelHidden());

    f.editor.outputTextView()->setText(QString(40, u'a') + u'b');
    f.setPattern(u"(a+)+$"_s);
    QTRY_VERIFY_WITH_TIMEOUT(!f.editor.isProcessingLabelHidden(), 3000);
    QTRY_VERIFY(f.editor.processingLabel()->isVisible());
    f.setPattern(u"b"_s);
    QTRY_VERIFY(f.editor.isProcessingLabelHidden());
    QCOMPARE(f.editor.outputTextViewController()->matches().count(), 1);
}

void tst_ExpressionViewController::processingLabelShowsHowFarTheSearchHasCome_data()
{
    QTest::addColumn<int>("prefix");
    QTest::addColumn<QString>("expected");
    QTest::addRow("stuck at the start") << 0 << u"processing… 0 %"_s;
    QTest::addRow("59 of 100 units") << 59 << u"processing… 59 %"_s;
    QTest::addRow("rounded down") << 3959 << u"processing… 98 %"_s;
}

void tst_ExpressionViewController::processingLabelShowsHowFarTheSearchHasCome()
{
    QFETCH(int, prefix);
    Fixture f;
    // Runs away after finding every "x".
    f.editor.outputTextView()->setText(QString(prefix, u'x') + QString(40, u'a') + u'b');
    f.setPattern(u"x|(a+)+$"_s);
    QTRY_VERIFY_WITH_TIMEOUT(!f.editor.isProcessingLabelHidden(), 3000);
    QTEST(f.editor.processingLabel()->text(), "expected");
    QVERIFY(f.editor.stopButton()->isVisible());
}

void tst_ExpressionViewController::stopShowsAWarningUntilTheNextEdit_data()
{
    QTest::addColumn<QString>("how");
    QTest::addRow("Esc in the pattern") << u"pattern"_s;
    QTest::addRow("Esc in the sample text") << u"text"_s;
    QTest::addRow("the stop button") << u"button"_s;
    QTest::addRow("the time budget") << u"budget"_s;
}

void tst_ExpressionViewController::stopShowsAWarningUntilTheNextEdit()
{
    QFETCH(QString, how);
    Fixture f;
    f.editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.editor));
    if (how == u"budget") // far below the delay of the processing label: the stop is told all the same
        f.editor.outputTextViewController()->setTimeBudget(100ms);
    f.editor.outputTextView()->setText(u"xx"_s + QString(40, u'a') + u'b');
    f.setPattern(u"x"_s);
    QTRY_VERIFY(hasBackground(f.editor.outputTextView()->document()->firstBlock()));
    f.setPattern(u"x|(a+)+$"_s);
    if (how != u"budget")
        QTRY_VERIFY_WITH_TIMEOUT(f.editor.stopButton()->isVisible(), 3000);
    if (how == u"button")
        f.editor.stopButton()->click();
    if (how == u"pattern" || how == u"text") {
        QWidget *view = how == u"pattern" ? static_cast<QWidget *>(f.editor.inputTextView()) : f.editor.outputTextView();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Escape);
    }
    QTRY_VERIFY(f.editor.warningLabel()->isVisible());
    QCOMPARE(f.editor.warningLabel()->text(), how == u"budget"
                 ? u"Stopped after 0.1 s (time budget). Change it in Preferences."_s : u"Evaluation stopped."_s);
    QTRY_VERIFY(f.editor.stopButton()->isHidden());
    // Neither the last results nor the partial ones stay painted.
    QVERIFY(!hasBackground(f.editor.outputTextView()->document()->firstBlock()));

    // A new look is no reason to run it again; the next edit is.
    UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, 1);
    QVERIFY(!f.editor.outputTextViewController()->expressionController());
    f.setPattern(u"a"_s);
    QVERIFY(f.editor.isWarningLabelHidden());
    QTRY_COMPARE(f.editor.outputTextViewController()->matches().count(), 40);

    // With nothing running, Esc is left to whoever else wants it.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(f.editor.inputTextView(), &escape);
    QVERIFY(!escape.isAccepted());
}

void tst_ExpressionViewController::settingsReEvaluate()
{
    Fixture f;
    f.editor.outputTextView()->setText(u"Abc abc"_s);
    f.setPattern(u"abc"_s);
    QTRY_COMPARE(f.editor.outputTextViewController()->matches().count(), 1);
    UserDefaults::standard().setValue(UserDefaultsKey::caseInsensitive, true);
    QTRY_COMPARE(f.editor.outputTextViewController()->matches().count(), 2);
    // Comments: the first change on a fresh store is reported too.
    f.setPattern(u"abc # trailing"_s);
    QTRY_COMPARE(f.editor.outputTextViewController()->matches().count(), 0);
    UserDefaults::standard().setValue(UserDefaultsKey::allowCommentsAndWhitespace, true);
    QTRY_COMPARE(f.editor.outputTextViewController()->matches().count(), 2);
}

void tst_ExpressionViewController::presentationKeepsTheColouring()
{
    Fixture f;
    f.setPattern(u"(\\d+)-"_s);
    QTRY_VERIFY(f.editor.activeGroupController()->maxNumberOfGroups().has_value());
    f.editor.activeGroupController()->highlightNextGroup();
    QTRY_VERIFY(hasBackground(f.editor.outputTextView()->document()->firstBlock()));
    QVERIFY(hasBackground(f.editor.inputTextView()->document()->firstBlock()));
    for (const ViewMode mode : {ViewMode::presentation, ViewMode::normal, ViewMode::presentation}) {
        f.editor.setViewMode(mode);
        QCOMPARE(f.editor.viewSizeController()->mode(), mode);
        QVERIFY(hasBackground(f.editor.inputTextView()->document()->firstBlock()));
        QTRY_VERIFY(hasBackground(f.editor.outputTextView()->document()->firstBlock()));
    }
    QCOMPARE(f.editor.outputTextView()->font().pointSizeF(), 26.0);
}

void tst_ExpressionViewController::panelButtonsFollowAndWriteSettings()
{
    Fixture f;
    auto *library = f.editor.findChild<QToolButton *>(u"librarySegment"_s);
    auto *reference = f.editor.findChild<QToolButton *>(u"referenceSegment"_s);
    QVERIFY(!library->isChecked());
    library->click();
    QCOMPARE(UserDefaults::standard().boolValue(UserDefaultsKey::showLeftPanel), true);
    library->click();
    QCOMPARE(UserDefaults::standard().boolValue(UserDefaultsKey::showLeftPanel), false);
    UserDefaults::standard().setValue(UserDefaultsKey::showRightPanel, true);
    QVERIFY(reference->isChecked());
}

QTEST_MAIN(tst_ExpressionViewController)
#include "tst_ExpressionViewController.moc"

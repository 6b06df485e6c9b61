#include "gui/editor/ExpressionTestsViewController.h"

#include "core/library/Expression.h"
#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "gui/editor/TreePanelStyle.h"
#include "gui/editor/ViewSizeController.h"
#include "gui/widgets/BoxView.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

using Expectation = ExpressionTestCase::Expectation;

enum Column { resultColumn, inputColumn, expectedColumn, foundColumn };

constexpr Expectation expectations[]
    = {Expectation::match, Expectation::noMatch, Expectation::wholeMatch, Expectation::matches};

// Line breaks and tabs shown as symbols, so that a case stays one row.
QString oneLine(QString text)
{
    return text.replace(u'\n', u'↵').replace(u'\r', u'↵').replace(u'\t', u'→');
}

} // namespace

ExpressionTestsViewController::ExpressionTestsViewController(ViewSizeController *sizes, QWidget *parent)
    : QWidget(parent)
    , m_sizes(sizes)
    , m_appearanceController(std::make_unique<AppearanceController>(this))
    , m_scheduler(std::make_unique<EvaluationScheduler>([this] { return prepare(); }))
{
    setObjectName(QStringLiteral("testsPanel"));
    m_layout = new QVBoxLayout(this);
    m_layout->setSpacing(4);
    //: Title of the panel that lists the tests kept with the expression
    m_titleLabel = new QLabel(tr("Tests"), this);
    m_titleLabel->setObjectName(QStringLiteral("testsTitle"));
    m_layout->addWidget(m_titleLabel);

    m_box = new BoxView(this);
    m_box->setObjectName(QStringLiteral("testsBox"));
    m_box->setCornerRadius(6);
    auto *boxLayout = new QVBoxLayout(m_box);
    boxLayout->setContentsMargins(4, 4, 4, 4);
    m_testsView = new QTreeWidget(m_box);
    m_testsView->setObjectName(QStringLiteral("testsView"));
    m_testsView->setAccessibleName(tr("Tests"));
    m_testsView->setAccessibleDescription(
        tr("The tests kept with the expression, whether each passes, and what it expects and what was found"));
    TreePanelStyle::setUpTreeView(m_testsView);
    m_testsView->setRootIsDecorated(false);
    //: Column headers of the tests panel: pass or fail, the tested text, what the test expects, what was found
    m_testsView->setHeaderLabels({QString(), tr("Input"), tr("Expects"), tr("Found")});
    // The verdict is one sign; the texts share the rest.
    QHeaderView *header = m_testsView->header();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (int column = 1; column < m_testsView->columnCount(); ++column)
        header->setSectionResizeMode(column, QHeaderView::Stretch);
    boxLayout->addWidget(m_testsView);
    m_layout->addWidget(m_box, 1);

    auto *controls = new QHBoxLayout;
    //: Adds the sample text, or its selection, as a test that expects what the pattern finds now
    m_addButton = new QPushButton(tr("Add Sample as Test"), this);
    m_addButton->setObjectName(QStringLiteral("addSampleAsTestButton"));
    m_addButton->setToolTip(
        tr("Adds the sample text, or its selection, as a test that expects what the pattern finds now"));
    m_expectationBox = new QComboBox(this);
    m_expectationBox->setObjectName(QStringLiteral("testExpectationBox"));
    //: What the chosen test expects
    m_expectationBox->setAccessibleName(tr("Expects"));
    m_expectationBox->setToolTip(tr("What the chosen test expects"));
    for (const Expectation expectation : expectations)
        m_expectationBox->addItem(ExpressionTestCase(QString(), expectation).expectationText());
    //: Removes the chosen test
    m_removeButton = new QPushButton(tr("Remove Test"), this);
    m_removeButton->setObjectName(QStringLiteral("removeTestButton"));
    m_removeButton->setToolTip(tr("Removes the chosen test from the expression"));
    controls->addWidget(m_addButton);
    controls->addStretch(1);
    controls->addWidget(m_expectationBox);
    controls->addWidget(m_removeButton);
    m_layout->addLayout(controls);

    m_summaryLabel = new QLabel(this);
    m_summaryLabel->setObjectName(QStringLiteral("testsSummaryLabel"));
    m_summaryLabel->setWordWrap(true);
    m_summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_layout->addWidget(m_summaryLabel);

    connect(m_addButton, &QPushButton::clicked, this, &ExpressionTestsViewController::addSampleAsTest);
    connect(m_removeButton, &QPushButton::clicked, this, &ExpressionTestsViewController::removeCurrentTest);
    connect(m_expectationBox, &QComboBox::activated, this, &ExpressionTestsViewController::expectationChosen);
    connect(m_testsView, &QTreeWidget::currentItemChanged, this, &ExpressionTestsViewController::updateControls);
    connect(m_scheduler.get(), &EvaluationScheduler::finished, this, &ExpressionTestsViewController::deliver);
    connect(m_scheduler.get(), &EvaluationScheduler::stopped, this, [this] {
        m_pendingSample.reset();
        //: The tests took longer than the time budget, or were stopped
        showSummary(tr("The tests were stopped before they ended."), true);
    });
    if (m_sizes)
        connect(m_sizes, &ViewSizeController::sizesApplied, this, &ExpressionTestsViewController::applySizes);
    applySizes();
    applyAppearance();
    updateControls();
}

ExpressionTestsViewController::~ExpressionTestsViewController() = default;

QString ExpressionTestsViewController::shownKey()
{
    return QStringLiteral("showTests");
}

void ExpressionTestsViewController::setExpression(Expression *expression)
{
    if (m_expression)
        disconnect(m_expression, nullptr, this, nullptr);
    m_expression = expression;
    m_pendingSample.reset();
    if (expression) {
        connect(expression, &Expression::patternChanged, this, &ExpressionTestsViewController::restart);
        connect(expression, &Expression::testsChanged, this, &ExpressionTestsViewController::restart);
    }
    restart();
}

void ExpressionTestsViewController::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    restart();
}

void ExpressionTestsViewController::setOptions(RegularExpressionOptions options)
{
    m_settings.options = options;
    restart();
}

void ExpressionTestsViewController::setStackLimit(int32_t bytes)
{
    m_settings.stackLimit = bytes;
    restart();
}

void ExpressionTestsViewController::setTimeBudget(std::chrono::milliseconds budget)
{
    m_scheduler->setTimeBudget(budget);
}

void ExpressionTestsViewController::addSampleAsTest()
{
    if (!m_expression || !m_sampleSource || m_expression->hasUnreadableTests())
        return;
    m_pendingSample = m_sampleSource();
    restart();
}

void ExpressionTestsViewController::removeCurrentTest()
{
    const int row = m_testsView->indexOfTopLevelItem(m_testsView->currentItem());
    if (!m_expression || row < 0 || row >= m_expression->tests().size())
        return;
    QList<ExpressionTestCase> tests = m_expression->tests();
    tests.removeAt(row);
    m_expression->setTests(tests);
}

void ExpressionTestsViewController::expectationChosen(int index)
{
    const int row = m_testsView->indexOfTopLevelItem(m_testsView->currentItem());
    if (!m_expression || row < 0 || row >= m_expression->tests().size() || index < 0)
        return;
    QList<ExpressionTestCase> tests = m_expression->tests();
    tests[row] = tests.at(row).withExpectation(expectations[index]);
    m_expression->setTests(tests);
}

void ExpressionTestsViewController::restart()
{
    if (m_active && m_expression) {
        m_scheduler->restart();
    } else {
        m_scheduler->cancel();
        m_verdicts.clear();
        m_verdictTests.clear();
    }
    showTests();
}

EvaluationScheduler::Work ExpressionTestsViewController::prepare()
{
    if (!m_active || !m_expression)
        return {};
    auto outcome = std::make_shared<Outcome>();
    outcome->tests = m_expression->tests();
    m_outcome = outcome;
    return [outcome, pattern = m_expression->pattern(), tests = m_expression->tests(), sample = m_pendingSample,
            settings = m_settings](const std::atomic<bool> &shouldStop) {
        if (sample) {
            const RegularExpression::CompileResult compiled = RegularExpression::compile(pattern, settings.options);
            if (compiled.isValid())
                outcome->sampleCase
                    = ExpressionTestRunner::caseForInput(compiled.pattern, *sample, shouldStop, settings.stackLimit);
            if (shouldStop)
                return false;
            outcome->sampleFailed = !outcome->sampleCase;
        }
        outcome->report = ExpressionTestRunner::run(pattern, tests, settings, shouldStop);
        return outcome->report.has_value();
    };
}

void ExpressionTestsViewController::deliver()
{
    const std::shared_ptr<Outcome> outcome = std::exchange(m_outcome, nullptr);
    const bool hadSample = m_pendingSample.has_value();
    m_pendingSample.reset();
    if (hadSample && outcome->sampleCase && m_expression) {
        // Its change of the tests runs them again, with the new case.
        m_expression->setTests(m_expression->tests() << *outcome->sampleCase);
        return;
    }
    m_verdicts = outcome->report->verdicts;
    m_verdictTests = outcome->tests;
    showTests();
    if (outcome->report->compileError) {
        //: %1 says why the pattern is invalid
        showSummary(tr("The pattern is invalid: %1").arg(outcome->report->compileError->reason), true);
    } else if (hadSample && outcome->sampleFailed) {
        //: The sample could not be searched to make a test of it
        showSummary(tr("The sample could not be made a test: the search failed."), true);
    }
}

void ExpressionTestsViewController::showTests()
{
    const int currentRow = m_testsView->indexOfTopLevelItem(m_testsView->currentItem());
    m_testsView->clear();
    const QList<ExpressionTestCase> tests = m_expression ? m_expression->tests() : QList<ExpressionTestCase>();
    const bool current = m_verdictTests == tests && m_verdicts.size() == tests.size();
    const QColor failColor = m_appearanceController->appearance()->errorColor().toQColor();
    qsizetype failed = 0;
    for (qsizetype index = 0; index < tests.size(); ++index) {
        const ExpressionTestCase &testCase = tests.at(index);
        auto *item = new QTreeWidgetItem(m_testsView);
        item->setText(inputColumn, oneLine(testCase.input()));
        item->setToolTip(inputColumn, testCase.input());
        item->setText(expectedColumn, testCase.expectationText());
        if (!current)
            continue;
        const ExpressionTestRunner::Verdict &verdict = m_verdicts.at(index);
        failed += verdict.passed ? 0 : 1;
        item->setText(resultColumn, verdict.passed ? QStringLiteral("✓") : QStringLiteral("✗"));
        //: Whether a test passes, for screen readers and the tooltip
        const QString result = verdict.passed ? tr("Passes") : tr("Fails");
        item->setToolTip(resultColumn, result);
        item->setData(resultColumn, Qt::AccessibleTextRole, result);
        if (!verdict.passed) {
            item->setText(foundColumn, verdict.found);
            item->setToolTip(foundColumn, verdict.found);
            for (const int column : {resultColumn, foundColumn})
                item->setForeground(column, failColor);
        }
    }
    if (currentRow >= 0 && currentRow < m_testsView->topLevelItemCount())
        m_testsView->setCurrentItem(m_testsView->topLevelItem(currentRow));
    if (!m_expression) {
        showSummary(QString(), false);
    } else if (m_expression->hasUnreadableTests()) {
        //: The expression's tests were written in a form this version does not know
        showSummary(tr("These tests were written by a newer version; they are kept as they are."), false);
    } else if (tests.isEmpty()) {
        //: Shown while the expression has no tests
        showSummary(tr("No tests yet: \"Add Sample as Test\" keeps what the pattern finds in the sample."), false);
    } else if (current) {
        //: %1 counts the failing tests, %Ln all of the expression's tests
        showSummary(failed == 0 ? tr("Every test passes.")
                                : tr("%1 of %Ln test(s) fail.", nullptr, int(tests.size())).arg(failed),
                    failed > 0);
    }
    updateControls();
    Q_EMIT testsShown();
}

void ExpressionTestsViewController::showSummary(const QString &text, bool isError)
{
    m_summaryLabel->setText(text);
    QPalette colors = m_summaryLabel->palette();
    const std::unique_ptr<Appearance> appearance = m_appearanceController->appearance();
    colors.setColor(QPalette::WindowText, (isError ? appearance->errorColor() : appearance->textColor()).toQColor());
    m_summaryLabel->setPalette(colors);
}

void ExpressionTestsViewController::updateControls()
{
    const bool editable = m_expression && !m_expression->hasUnreadableTests();
    const int row = m_testsView->indexOfTopLevelItem(m_testsView->currentItem());
    const bool hasCase = editable && row >= 0 && row < m_expression->tests().size();
    m_addButton->setEnabled(editable);
    m_removeButton->setEnabled(hasCase);
    m_expectationBox->setEnabled(hasCase);
    if (hasCase)
        m_expectationBox->setCurrentIndex(int(m_expression->tests().at(row).expectation()));
}

void ExpressionTestsViewController::appearanceDidChange(AppearanceController *, const Appearance &)
{
    applyAppearance();
}

void ExpressionTestsViewController::applyAppearance()
{
    TreePanelStyle::applyAppearance(*m_appearanceController->appearance(), m_box, m_testsView, m_titleLabel);
    showTests();
}

void ExpressionTestsViewController::applySizes()
{
    TreePanelStyle::applySizes(m_sizes, m_layout, m_titleLabel, m_testsView);
}

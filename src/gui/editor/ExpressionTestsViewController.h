#pragma once

#include "core/evaluation/EvaluationScheduler.h"
#include "core/evaluation/ExpressionTestRunner.h"
#include "core/settings/AppearanceControllerDelegate.h"

#include <QPointer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class AppearanceController;
class BoxView;
class Expression;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QVBoxLayout;
class ViewSizeController;

// The panel below the sample text that lists the shown expression's tests with whether each passes, and for a
// failing one what it expected and what the engine found. The tests run on an EvaluationScheduler while the panel
// is active, again after every change of the pattern, the tests or the settings; only the newest run is shown.
// "Add Sample as Test" adds the sample text (or its selection) as a case that expects what the engine finds now;
// the chosen case can be removed or made to expect something else. Changes go to the expression, which the store
// saves.
class ExpressionTestsViewController final : public QWidget, public AppearanceControllerDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExpressionTestsViewController)

public:
    // The setting that shows the panel; hidden while it is unset.
    static QString shownKey();

    explicit ExpressionTestsViewController(ViewSizeController *sizes, QWidget *parent = nullptr);
    ~ExpressionTestsViewController() override;

    void setExpression(Expression *expression);
    bool isActive() const { return m_active; }
    void setActive(bool active);
    void setOptions(RegularExpressionOptions options);
    void setStackLimit(int32_t bytes);
    void setTimeBudget(std::chrono::milliseconds budget);
    // What "Add Sample as Test" adds: the sample's selection, or all of it.
    void setSampleSource(std::function<QString()> source) { m_sampleSource = std::move(source); }

    void addSampleAsTest();
    void removeCurrentTest();

    // The verdicts shown, one per case; empty while none are.
    const QList<ExpressionTestRunner::Verdict> &verdicts() const { return m_verdicts; }
    QTreeWidget *testsView() const { return m_testsView; }
    QComboBox *expectationBox() const { return m_expectationBox; }
    QPushButton *addButton() const { return m_addButton; }
    QPushButton *removeButton() const { return m_removeButton; }
    QLabel *summaryLabel() const { return m_summaryLabel; }

    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;

Q_SIGNALS:
    // New verdicts or a new summary are shown.
    void testsShown();

private:
    struct Outcome
    {
        QList<ExpressionTestCase> tests;
        std::optional<ExpressionTestRunner::Report> report;
        std::optional<ExpressionTestCase> sampleCase;
        bool sampleFailed = false;
    };

    EvaluationScheduler::Work prepare();
    void deliver();
    void restart();
    void showTests();
    void showSummary(const QString &text, bool isError);
    void updateControls();
    void expectationChosen(int index);
    void applyAppearance();
    void applySizes();

    ViewSizeController *m_sizes = nullptr;
    const std::unique_ptr<AppearanceController> m_appearanceController;
    QPointer<Expression> m_expression;
    bool m_active = false;
    ExpressionTestRunner::Settings m_settings;
    std::function<QString()> m_sampleSource;
    std::optional<QString> m_pendingSample;
    std::shared_ptr<Outcome> m_outcome;
    QList<ExpressionTestRunner::Verdict> m_verdicts;
    // The cases the verdicts are for; until the run for the current ones ends, the verdicts of the pattern before
    // stay, and none are shown for other cases.
    QList<ExpressionTestCase> m_verdictTests;

    QVBoxLayout *m_layout = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_summaryLabel = nullptr;
    BoxView *m_box = nullptr;
    QTreeWidget *m_testsView = nullptr;
    QComboBox *m_expectationBox = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_removeButton = nullptr;
    // Last, so that it goes first and no run it starts outlives the rest.
    std::unique_ptr<EvaluationScheduler> m_scheduler;
};

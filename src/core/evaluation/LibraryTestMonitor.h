#pragma once

#include "core/evaluation/EvaluationScheduler.h"
#include "core/evaluation/ExpressionTestRunner.h"
#include "core/library/Expression.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <chrono>
#include <memory>

// Knows which expressions of the library have a failing test, so that the list can mark them. Runs the tests of
// every expression it has not seen pass or fail with its current pattern and tests, on an EvaluationScheduler: an
// edit, new settings or new rows run those again, and a run that is overtaken leaves them to the next. A verdict is
// taken only for an expression that is still as the run saw it. Main thread only.
class LibraryTestMonitor final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LibraryTestMonitor)

public:
    explicit LibraryTestMonitor(QObject *parent = nullptr);
    ~LibraryTestMonitor() override;

    void setExpressions(const ExpressionList &expressions);
    // Every expression is tested again with these.
    void setSettings(const ExpressionTestRunner::Settings &settings);
    void setTimeBudget(std::chrono::milliseconds budget);

    // A case failed, or the pattern it tests is invalid, in the last run that covered the expression.
    bool isFailing(const Expression *expression) const { return m_failing.contains(expression); }
    bool isRunning() const;

Q_SIGNALS:
    void failingChanged(Expression *expression, bool failing);

private:
    struct Item
    {
        // Not an owner: a run must never be the one that destroys an expression, on its worker.
        QPointer<Expression> expression;
        QString pattern;
        QList<ExpressionTestCase> tests;
    };
    struct Run
    {
        QList<Item> items;
        QList<bool> failing;
    };

    EvaluationScheduler::Work prepare();
    void deliver();
    void markStale(Expression *expression);

    ExpressionList m_expressions;
    QSet<Expression *> m_stale;
    QSet<const Expression *> m_failing;
    ExpressionTestRunner::Settings m_settings;
    std::shared_ptr<Run> m_run;
    // Last, so that it goes first and no run it starts outlives the rest.
    std::unique_ptr<EvaluationScheduler> m_scheduler;
};

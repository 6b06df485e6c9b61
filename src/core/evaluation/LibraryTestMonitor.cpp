#include "core/evaluation/LibraryTestMonitor.h"

LibraryTestMonitor::LibraryTestMonitor(QObject *parent)
    : QObject(parent)
    , m_scheduler(std::make_unique<EvaluationScheduler>([this] { return prepare(); }))
{
    connect(m_scheduler.get(), &EvaluationScheduler::finished, this, &LibraryTestMonitor::deliver);
}

LibraryTestMonitor::~LibraryTestMonitor() = default;

void LibraryTestMonitor::setExpressions(const ExpressionList &expressions)
{
    for (const auto &expression : std::as_const(m_expressions))
        disconnect(expression.get(), nullptr, this, nullptr);
    QSet<const Expression *> kept;
    for (const auto &expression : expressions) {
        Expression *item = expression.get();
        kept.insert(item);
        const auto changed = [this, item] { markStale(item); };
        connect(item, &Expression::patternChanged, this, changed);
        connect(item, &Expression::testsChanged, this, changed);
        const bool known = std::any_of(m_expressions.begin(), m_expressions.end(),
                                       [item](const auto &old) { return old.get() == item; });
        if (!known)
            m_stale.insert(item);
    }
    m_stale.removeIf([&kept](Expression *expression) { return !kept.contains(expression); });
    m_failing.removeIf([&kept](const Expression *expression) { return !kept.contains(expression); });
    m_expressions = expressions;
    if (!m_stale.isEmpty())
        m_scheduler->restart();
}

void LibraryTestMonitor::setSettings(const ExpressionTestRunner::Settings &settings)
{
    m_settings = settings;
    for (const auto &expression : std::as_const(m_expressions))
        m_stale.insert(expression.get());
    m_scheduler->restart();
}

void LibraryTestMonitor::setTimeBudget(std::chrono::milliseconds budget)
{
    m_scheduler->setTimeBudget(budget);
}

bool LibraryTestMonitor::isRunning() const
{
    return m_scheduler->isRunning();
}

void LibraryTestMonitor::markStale(Expression *expression)
{
    m_stale.insert(expression);
    m_scheduler->restart();
}

EvaluationScheduler::Work LibraryTestMonitor::prepare()
{
    if (m_stale.isEmpty())
        return {};
    auto run = std::make_shared<Run>();
    for (const auto &expression : std::as_const(m_expressions)) {
        if (m_stale.contains(expression.get()))
            run->items.append({expression.get(), expression->pattern(), expression->tests()});
    }
    run->failing.resize(run->items.size());
    m_run = run;
    return [run, settings = m_settings](const std::atomic<bool> &shouldStop) {
        for (qsizetype index = 0; index < run->items.size(); ++index) {
            const Item &item = run->items.at(index);
            const auto report = ExpressionTestRunner::run(item.pattern, item.tests, settings, shouldStop);
            if (!report)
                return false;
            run->failing[index] = !report->passed();
        }
        return true;
    };
}

void LibraryTestMonitor::deliver()
{
    const std::shared_ptr<Run> run = std::exchange(m_run, nullptr);
    for (qsizetype index = 0; index < run->items.size(); ++index) {
        const Item &item = run->items.at(index);
        Expression *expression = item.expression;
        // Gone from the list, or edited since: a newer run has it.
        if (!expression || !m_stale.contains(expression) || expression->pattern() != item.pattern
            || expression->tests() != item.tests)
            continue;
        m_stale.remove(expression);
        const bool failing = run->failing.at(index);
        if (failing == m_failing.contains(expression))
            continue;
        if (failing)
            m_failing.insert(expression);
        else
            m_failing.remove(expression);
        Q_EMIT failingChanged(expression, failing);
    }
}

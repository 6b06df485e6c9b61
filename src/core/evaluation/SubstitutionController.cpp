#include "core/evaluation/SubstitutionController.h"

SubstitutionController::SubstitutionController(QObject *parent)
    : QObject(parent)
    , m_scheduler(std::make_unique<EvaluationScheduler>([this] { return prepare(); }))
{
    connect(m_scheduler.get(), &EvaluationScheduler::finished, this, &SubstitutionController::deliver);
}

SubstitutionController::~SubstitutionController() = default;

void SubstitutionController::start(const Pattern &pattern, const QString &replacementTemplate, const QString &text)
{
    if (!pattern) {
        stop();
        return;
    }
    m_input = {pattern, replacementTemplate, text};
    m_scheduler->restart();
}

void SubstitutionController::stop()
{
    m_scheduler->cancel();
}

bool SubstitutionController::isRunning() const
{
    return m_scheduler->isRunning();
}

EvaluationScheduler::Work SubstitutionController::prepare()
{
    auto outcome = std::make_shared<Substitution::Outcome>();
    m_outcome = outcome;
    return [input = m_input, outcome, maximum = m_maximumResultLength,
            stackLimit = m_stackLimit](const std::atomic<bool> &shouldStop) {
        *outcome
            = Substitution::run(*input.pattern, input.replacementTemplate, input.text, shouldStop, maximum, stackLimit);
        return outcome->status != Substitution::Outcome::Status::cancelled;
    };
}

void SubstitutionController::deliver()
{
    const std::shared_ptr<Substitution::Outcome> outcome = std::exchange(m_outcome, nullptr);
    if (outcome->status == Substitution::Outcome::Status::finished)
        Q_EMIT finished(outcome->text, outcome->replacements);
    else if (outcome->error)
        Q_EMIT failed(outcome->error->message(), *outcome->error);
}

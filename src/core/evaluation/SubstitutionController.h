#pragma once

#include "core/evaluation/EvaluationScheduler.h"
#include "core/evaluation/Substitution.h"

#include <QObject>
#include <QString>

#include <memory>

// Computes substitution previews on an EvaluationScheduler, one run at a time from the caller's point of view: start()
// stops the run before it and only the newest run ever reports, so a result that arrives has been computed from the
// last pattern, template and text handed in. Reports arrive on the main thread; a stopped or superseded run reports
// nothing. Main thread only.
class SubstitutionController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SubstitutionController)

public:
    using Pattern = std::shared_ptr<const icu::RegexPattern>;

    explicit SubstitutionController(QObject *parent = nullptr);
    // Stops the running run; the worker ends at its next check and reports nothing.
    ~SubstitutionController() override;

    // A null pattern stops the current run and starts none.
    void start(const Pattern &pattern, const QString &replacementTemplate, const QString &text);
    void stop();
    bool isRunning() const;

    // Results larger than this fail with Substitution::Error::Case::resultTooLong.
    void setMaximumResultLength(qsizetype length) { m_maximumResultLength = length; }
    // Bytes of backtracking memory a match attempt may use, 0 for no limit. Applies from the next start() on.
    void setStackLimit(int32_t bytes) { m_stackLimit = bytes; }

Q_SIGNALS:
    // replacements: the number of matches replaced.
    void finished(const QString &result, qsizetype replacements);
    void failed(const QString &message, const Substitution::Error &error);

private:
    struct Input
    {
        Pattern pattern;
        QString replacementTemplate;
        QString text;
    };

    EvaluationScheduler::Work prepare();
    void deliver();

    Input m_input;
    std::shared_ptr<Substitution::Outcome> m_outcome;
    qsizetype m_maximumResultLength = Substitution::defaultMaximumResultLength;
    int32_t m_stackLimit = defaultBacktrackStackLimit;
    // Last, so that it goes first and no run it starts outlives the rest.
    std::unique_ptr<EvaluationScheduler> m_scheduler;
};

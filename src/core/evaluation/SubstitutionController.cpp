#include "core/evaluation/SubstitutionController.h"

#include "core/evaluation/EvaluationThreadPool.h"

#include <QCoreApplication>
#include <QMutex>
#include <QPointer>
#include <QSet>
#include <QThreadPool>

#include <atomic>

// Shared by the controller and the worker; the worker reads only the inputs and the flag.
struct SubstitutionController::Run
{
    Pattern pattern;
    QString replacementTemplate;
    QString text;
    qsizetype maximumResultLength = 0;
    int32_t stackLimit = 0;
    std::atomic<bool> shouldStop = false;
    // Read on the main thread only.
    QPointer<SubstitutionController> controller;
};

namespace {

// As for the evaluation: the closing application stops every run still going, so that the wait for the workers at
// exit is not held up by a runaway pattern whose controller has not been destroyed.
class LiveSubstitutions final
{
public:
    static LiveSubstitutions &instance()
    {
        static LiveSubstitutions liveRuns;
        return liveRuns;
    }

    // False once the application is closing: the run must not start.
    bool add(std::atomic<bool> *shouldStop)
    {
        const QMutexLocker locker(&m_mutex);
        if (m_closing)
            return false;
        m_runs.insert(shouldStop);
        return true;
    }

    void remove(std::atomic<bool> *shouldStop)
    {
        const QMutexLocker locker(&m_mutex);
        m_runs.remove(shouldStop);
    }

private:
    LiveSubstitutions() { qAddPostRoutine(&LiveSubstitutions::stopAll); }

    static void stopAll()
    {
        LiveSubstitutions &liveRuns = instance();
        const QMutexLocker locker(&liveRuns.m_mutex);
        liveRuns.m_closing = true;
        for (std::atomic<bool> *shouldStop : std::as_const(liveRuns.m_runs))
            *shouldStop = true;
    }

    QMutex m_mutex;
    QSet<std::atomic<bool> *> m_runs;
    bool m_closing = false;
};

} // namespace

SubstitutionController::SubstitutionController(QObject *parent)
    : QObject(parent)
{
    // The application waits for the evaluation workers when it closes; a runaway pattern must not hold it up.
    if (QCoreApplication *application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &SubstitutionController::stop);
    LiveSubstitutions::instance();
}

SubstitutionController::~SubstitutionController()
{
    stop();
}

void SubstitutionController::start(const Pattern &pattern, const QString &replacementTemplate, const QString &text)
{
    stop();
    if (!pattern)
        return;
    auto run = std::make_shared<Run>();
    run->pattern = pattern;
    run->replacementTemplate = replacementTemplate;
    run->text = text;
    run->maximumResultLength = m_maximumResultLength;
    run->stackLimit = m_stackLimit;
    run->controller = this;
    m_current = run;
    // Not Qt's global pool: painting waits on that one, and runs blocked in a runaway pattern could fill it.
    EvaluationThreadPool::instance()->start([run] {
        LiveSubstitutions &liveRuns = LiveSubstitutions::instance();
        if (!liveRuns.add(&run->shouldStop))
            return;
        Substitution::Outcome outcome = Substitution::run(*run->pattern, run->replacementTemplate, run->text,
                                                          run->shouldStop, run->maximumResultLength, run->stackLimit);
        liveRuns.remove(&run->shouldStop);
        if (outcome.status == Substitution::Outcome::Status::cancelled)
            return;
        QCoreApplication *application = QCoreApplication::instance();
        if (!application)
            return;
        QMetaObject::invokeMethod(
            application,
            [run, outcome = std::move(outcome)] {
                if (run->controller)
                    run->controller->deliver(run, outcome);
            },
            Qt::QueuedConnection);
    });
}

void SubstitutionController::stop()
{
    if (!m_current)
        return;
    m_current->shouldStop = true;
    m_current.reset();
}

void SubstitutionController::deliver(const std::shared_ptr<Run> &run, const Substitution::Outcome &outcome)
{
    // A run stopped after it had finished still has its outcome queued; only the current one may report.
    if (run != m_current)
        return;
    m_current.reset();
    if (outcome.status == Substitution::Outcome::Status::finished)
        Q_EMIT finished(outcome.text, outcome.replacements);
    else if (outcome.error)
        Q_EMIT failed(outcome.error->message(), *outcome.error);
}

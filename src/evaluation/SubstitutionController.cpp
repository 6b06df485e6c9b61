#include "evaluation/SubstitutionController.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include <atomic>

// Shared by the controller and the worker; the worker reads only the inputs and the flag.
struct SubstitutionController::Run
{
    Pattern pattern;
    QString replacementTemplate;
    QString text;
    qsizetype maximumResultLength = 0;
    std::atomic<bool> shouldStop = false;
    // Read on the main thread only.
    QPointer<SubstitutionController> controller;
};

SubstitutionController::SubstitutionController(QObject *parent)
    : QObject(parent)
{
    // The application waits for the global pool when it closes; a runaway pattern must not hold it up.
    if (QCoreApplication *application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &SubstitutionController::stop);
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
    run->controller = this;
    m_current = run;
    QThreadPool::globalInstance()->start([run] {
        Substitution::Outcome outcome = Substitution::run(*run->pattern, run->replacementTemplate, run->text,
                                                          run->shouldStop, run->maximumResultLength);
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

// Quits while a run is going that ends only when it is told to stop; the closing application must tell it, and the
// process must exit. Run by tst_EvaluationScheduler.
#include "core/evaluation/EvaluationScheduler.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <optional>

int main(int argc, char *argv[])
{
    // Destroyed after the application, as a window left open would be, so that only the closing can stop the run.
    std::optional<EvaluationScheduler> scheduler;
    QCoreApplication application(argc, argv);
    scheduler.emplace([] {
        return [](const std::atomic<bool> &shouldStop) {
            std::puts("start");
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
            while (!shouldStop)
                QThread::msleep(1);
            std::puts("stopped");
            return false;
        };
    });
    scheduler->restart();
    return QCoreApplication::exec();
}

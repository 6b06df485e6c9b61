#include "core/evaluation/EvaluationThreadPool.h"

#include <QThread>
#include <QThreadPool>

QThreadPool *EvaluationThreadPool::instance()
{
    static QThreadPool *pool = [] {
        auto *threads = new QThreadPool;
        // A stop request blocks a worker while the run it stops still occupies another; keep room for the next run.
        threads->setMaxThreadCount(qMax(4, QThread::idealThreadCount()));
        return threads;
    }();
    return pool;
}

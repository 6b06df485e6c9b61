#pragma once

#include "core/evaluation/EvaluationThreadPool.h"

#include <QCoreApplication>
#include <QString>
#include <QTest>
#include <QThreadPool>

// Until no evaluation occupies a worker and what they reported has arrived. A worker never waits for the main
// thread, so the main thread may wait for the workers.
inline void settleEvaluations()
{
    QVERIFY(EvaluationThreadPool::instance()->waitForDone(20000));
    QCoreApplication::processEvents();
}

// "(a+)+$" backtracks for days on this text, unless it is stopped.
inline QString catastrophicText()
{
    return QString(40, u'a') + u'b';
}

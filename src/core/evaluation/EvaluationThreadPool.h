#pragma once

#include <atomic>
#include <functional>

class QThreadPool;

// The workers that run evaluations, and the one way to start work on them. Not Qt's global pool: Qt paints with that
// one, and runs held up in a runaway pattern could fill it.
//
// When the application closes, every run still going is told to stop and given a moment to end: a runaway pattern
// must neither hold up the exit nor go on while the process tears down what it uses.
class EvaluationThreadPool final
{
public:
    EvaluationThreadPool() = delete;
    static QThreadPool *instance();
    // Runs work on a worker; shouldStop, which must outlive the work, is set when the application closes. Once it is
    // closing, nothing more runs.
    static void start(std::atomic<bool> &shouldStop, std::function<void()> work);
};

#pragma once

class QThreadPool;

// The workers that run matching and the stop requests that wait for it. Not Qt's global pool: Qt paints with that
// one, and a main thread waiting for painting helpers behind a run that waits for the main thread would never wake.
class EvaluationThreadPool final
{
public:
    EvaluationThreadPool() = delete;
    static QThreadPool *instance();
};

#pragma once

class MatchResults;
class RegularExpressionController;

// Told on the main thread, for every run: the start, then exactly one of finish and cancel.
class RegularExpressionControllerDelegate
{
public:
    virtual ~RegularExpressionControllerDelegate() = default;
    virtual void regularExpressionControllerDidStartEvaluating(RegularExpressionController *controller) = 0;
    // The run's worker waits until this returns.
    virtual void regularExpressionControllerDidFinishEvaluating(RegularExpressionController *controller,
                                                                const MatchResults &results)
        = 0;
    virtual void regularExpressionControllerDidCancelEvaluating(RegularExpressionController *controller) = 0;
};

#pragma once

#include "core/evaluation/EvaluationStopReason.h"

#include <QtGlobal>

#include <unicode/utypes.h>

class MatchEvaluation;
class MatchResults;

// Told on the main thread how each evaluation of the newest input turned out.
class MatchEvaluationDelegate
{
public:
    virtual ~MatchEvaluationDelegate() = default;
    // An evaluation of a non-empty pattern begins, before the pattern is compiled.
    virtual void matchEvaluationDidStart(MatchEvaluation *evaluation) = 0;
    // New results are in place.
    virtual void matchEvaluationDidUpdateMatches(MatchEvaluation *evaluation, const MatchResults &matches) = 0;
    // The pattern does not compile; compileError() tells why.
    virtual void matchEvaluationDidFailToCompile(MatchEvaluation *evaluation) = 0;
    // The run was stopped, by the user or by the time budget, and no newer input replaced it. Its partial results
    // are dropped.
    virtual void matchEvaluationDidStop(MatchEvaluation *evaluation, EvaluationStopReason reason) = 0;
    // The engine failed during the run (e.g. U_REGEX_STACK_OVERFLOW) after finding matchesFound matches, and no
    // newer input replaced it. Those matches are dropped, as after a stop.
    virtual void matchEvaluationDidFailMatching(MatchEvaluation *evaluation, UErrorCode status, qsizetype matchesFound)
        = 0;
};

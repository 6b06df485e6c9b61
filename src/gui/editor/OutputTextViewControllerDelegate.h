#pragma once

#include "core/evaluation/EvaluationStopReason.h"

#include <QString>

#include <unicode/utypes.h>

class MatchResults;
class OutputTextViewController;

class OutputTextViewControllerDelegate
{
public:
    virtual ~OutputTextViewControllerDelegate() = default;
    // An evaluation of a non-empty pattern begins, before the pattern is compiled.
    virtual void outputTextViewControllerDidStartUpdatingMatches(OutputTextViewController *controller) = 0;
    // New results are in place and painted.
    virtual void outputTextViewControllerDidUpdateMatches(OutputTextViewController *controller,
                                                          const MatchResults &matches)
        = 0;
    // The pattern does not compile.
    virtual void outputTextViewControllerDidFinishUpdatingMatchesWithError(OutputTextViewController *controller,
                                                                           const QString &message)
        = 0;
    // The run was stopped, by the user or by the time budget, and no newer input replaced it. Its partial results
    // are dropped and the painting cleared.
    virtual void outputTextViewControllerDidStopUpdatingMatches(OutputTextViewController *controller,
                                                                EvaluationStopReason reason)
        = 0;
    // The engine failed during the run (e.g. U_REGEX_STACK_OVERFLOW) after finding matchesFound matches, and no
    // newer input replaced it. Those matches are dropped and the painting cleared, as after a stop.
    virtual void outputTextViewControllerDidFailMatching(OutputTextViewController *controller, UErrorCode status,
                                                         qsizetype matchesFound)
        = 0;
};

#pragma once

#include "core/evaluation/EvaluationScheduler.h"
#include "core/evaluation/MatchResults.h"
#include "core/evaluation/RegularExpression.h"
#include "core/settings/UserDefaults.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

class MatchEvaluationDelegate;
class RegularExpressionController;

// The live evaluation of a pattern against a sample text: every change of the input evaluates the newest one, compiled
// with the options handed down, as a RegularExpressionController on an EvaluationScheduler, and tells the delegate how
// it turned out. Keeps the matches to show, and says when they have gone stale. Main thread only.
class MatchEvaluation final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MatchEvaluation)

public:
    explicit MatchEvaluation(QObject *parent = nullptr);
    // A run still going ends on its worker, unreported.
    ~MatchEvaluation() override;

    MatchEvaluationDelegate *delegate() const { return m_delegate; }
    void setDelegate(MatchEvaluationDelegate *delegate) { m_delegate = delegate; }

    const QString &pattern() const { return m_pattern; }
    // Evaluates again when the pattern differs in any UTF-16 code unit.
    void setPattern(const QString &pattern);
    // Evaluates again, also for the same text: every assignment to the sample view is reported.
    void setText(const QString &text);
    RegularExpressionOptions options() const { return m_options; }
    // Evaluates again when they differ.
    void setOptions(RegularExpressionOptions options);
    // Evaluates the newest input again.
    void update();
    // Stops the running evaluation, and one waiting to start, until the next update. False when none runs.
    bool stop();

    // The matches to show, and the text they were found in; none after a stop or a failure.
    const MatchResults &matches() const { return m_matches; }
    const QString &lastText() const { return m_lastText; }
    // How long the search behind the shown matches took; none when there was no search (an empty pattern) and
    // after a stop, a failure or an invalid pattern.
    std::optional<std::chrono::nanoseconds> searchDuration() const { return m_searchDuration; }
    // The matches belong to earlier input: the pattern is invalid, or the newest input's matches are later than
    // staleMatchesDelay after it came.
    bool areMatchesStale() const { return m_matchesAreStale; }
    static constexpr std::chrono::milliseconds staleMatchesDelay {16};

    // A run is going, or stopping.
    bool isEvaluating() const { return m_scheduler->isRunning(); }
    // Share of the running evaluation's text searched so far, 0 to 1; 0 when none runs. Cheap enough for a timer.
    double progress() const;
    // The engine's account of why the last pattern did not compile.
    const std::optional<RegularExpression::Error> &compileError() const { return m_compileError; }
    // The compiled pattern of the latest evaluation; none for an empty or invalid pattern. The delivered matches
    // were found with it.
    const std::shared_ptr<const icu::RegexPattern> &compiledPattern() const { return m_compiledPattern; }
    // The runs, for whoever follows them one by one.
    const EvaluationScheduler *scheduler() const { return m_scheduler.get(); }

    // Longest a run may take before it is stopped; zero for no limit. Applies from the next run on.
    std::chrono::milliseconds timeBudget() const { return m_scheduler->timeBudget(); }
    void setTimeBudget(std::chrono::milliseconds budget) { m_scheduler->setTimeBudget(budget); }
    // Bytes of backtracking memory a match attempt may use, 0 for no limit. Applies from the next run on.
    int32_t stackLimit() const { return m_stackLimit; }
    void setStackLimit(int32_t bytes) { m_stackLimit = bytes; }
    // For tests: every run from the next on ends with this engine failure once it has searched the whole text.
    void setInjectedMatchingError(UErrorCode status) { m_injectedMatchingError = status; }

Q_SIGNALS:
    void isEvaluatingChanged(bool evaluating);
    // The matches, their text or their staleness changed.
    void matchesChanged();

private:
    EvaluationScheduler::Work prepare();
    void finish();
    void stopped(EvaluationStopReason reason);
    void publish(const MatchResults &results);
    void setMatches(const MatchResults &matches, bool stale);

    MatchEvaluationDelegate *m_delegate = nullptr;
    QString m_pattern;
    QString m_text;
    RegularExpressionOptions m_options;
    int32_t m_stackLimit = defaultBacktrackStackLimit;
    UErrorCode m_injectedMatchingError = U_ZERO_ERROR;
    std::optional<RegularExpression::Error> m_compileError;
    std::shared_ptr<const icu::RegexPattern> m_compiledPattern;
    // Compiled, or refused, for the pattern and options now set.
    bool m_compiledIsCurrent = false;
    // The run prepared last; it is the one going while a run goes.
    std::shared_ptr<RegularExpressionController> m_run;
    MatchResults m_matches;
    QString m_lastText;
    std::optional<std::chrono::nanoseconds> m_searchDuration;
    bool m_matchesAreStale = false;
    QTimer m_staleTimer;
    // Last, so that it goes first and no run it reports on outlives the rest.
    std::unique_ptr<EvaluationScheduler> m_scheduler;
};

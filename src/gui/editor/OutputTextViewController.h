#pragma once

#include "core/evaluation/EvaluationStopReason.h"
#include "core/evaluation/GroupRangeIndex.h"
#include "core/evaluation/MatchResults.h"
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/RegularExpressionControllerDelegate.h"
#include "core/settings/UserDefaults.h"
#include "gui/widgets/NSTextViewWithPlaceholderUpdateDelegate.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

class NSTextViewWithPlaceholder;
class OutputTextViewControllerDelegate;
class Appearance;
class RegularExpressionController;

// Owns the evaluation of the pattern against the sample text and paints the active group of every match into the
// sample-text view, alternating two palette colours. A change of pattern or text stops the running evaluation on a
// worker and evaluates the newest input once it has stopped; results of any run but the current one are ignored.
// Only the visible blocks are painted, and again whenever the view shows other blocks. The active group is painted
// wherever it lies, also outside its match; an empty match or group shows as a thin marker.
class OutputTextViewController final : public QObject,
                                       public RegularExpressionControllerDelegate,
                                       public NSTextViewWithPlaceholderUpdateDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OutputTextViewController)
    Q_PROPERTY(bool isEvaluatingExpression READ isEvaluatingExpression NOTIFY isEvaluatingExpressionChanged)

public:
    explicit OutputTextViewController(NSTextViewWithPlaceholder *textView, QObject *parent = nullptr);
    ~OutputTextViewController() override;

    OutputTextViewControllerDelegate *delegate() const { return m_delegate; }
    void setDelegate(OutputTextViewControllerDelegate *delegate) { m_delegate = delegate; }

    const QString &pattern() const { return m_pattern; }
    // Re-evaluates when the pattern differs in any UTF-16 code unit.
    void setPattern(const QString &pattern);
    RegularExpressionOptions options() const { return m_options; }
    // Re-evaluates when they differ.
    void setOptions(RegularExpressionOptions options);
    int activeGroup() const { return m_activeGroup; }
    void setActiveGroup(int group);
    const MatchResults &matches() const { return m_matches; }
    void setMatches(const MatchResults &matches);
    const QString &lastText() const { return m_lastText; }
    bool isEvaluatingExpression() const { return m_isEvaluatingExpression; }
    // The engine's account of why the last pattern did not compile.
    const std::optional<RegularExpression::Error> &compileError() const { return m_compileError; }
    // The compiled pattern of the latest evaluation; none for an empty or invalid pattern. The delivered matches
    // were found with it.
    const std::shared_ptr<const icu::RegexPattern> &compiledPattern() const { return m_compiledPattern; }
    // The run in progress, if any.
    RegularExpressionController *expressionController() const { return m_expressionController.get(); }
    // Share of the running evaluation's text searched so far, 0 to 1; 0 when none runs. Cheap enough for a timer.
    double evaluationProgress() const;

    // Longest a run may take before it is stopped; zero for no limit. Applies from the next run on.
    std::chrono::milliseconds timeBudget() const { return m_timeBudget; }
    void setTimeBudget(std::chrono::milliseconds budget) { m_timeBudget = budget; }
    // Bytes of backtracking memory a match attempt may use, 0 for no limit. Applies from the next run on.
    int32_t stackLimit() const { return m_stackLimit; }
    void setStackLimit(int32_t bytes) { m_stackLimit = bytes; }
    // For tests: every run from the next on ends with this engine failure once it has searched the whole text.
    void setInjectedMatchingError(UErrorCode status) { m_injectedMatchingError = status; }
    // How long old painting may stand for the current input while its evaluation is still to come.
    static constexpr std::chrono::milliseconds stalePaintingDelay {16};
    // The painting belongs to an earlier pattern (dimmed) or an earlier text (removed).
    bool isPaintingStale() const { return m_paintingIsStale; }
    // Stops the running evaluation, and one waiting to start, until the next update. False when none runs.
    bool stopEvaluation() { return stopEvaluation(EvaluationStopReason::user); }

    void updateMatches();
    void updateHighlighting();
    // Takes the palette's two match colours and paints with them; the light palette's until then.
    void setAppearance(const Appearance &palette);

    void regularExpressionControllerDidStartEvaluating(RegularExpressionController *controller) override;
    void regularExpressionControllerDidFinishEvaluating(RegularExpressionController *controller,
                                                        const MatchResults &results) override;
    void regularExpressionControllerDidCancelEvaluating(RegularExpressionController *controller) override;
    void textViewWithPlaceholderDidUpdateText(NSTextViewWithPlaceholder *view, const QString &text) override;

Q_SIGNALS:
    void isEvaluatingExpressionChanged(bool evaluating);

private:
    void evaluate();
    bool stopEvaluation(EvaluationStopReason reason);
    void requestStop();
    void publish(const MatchResults &results);
    void setEvaluatingExpression(bool evaluating);
    void finishRun();
    void markPaintingStale();
    bool textIsCurrent();
    void paintVisibleBlocks();
    void paintVisibleBlocksOnce();

    OutputTextViewControllerDelegate *m_delegate = nullptr;
    QPointer<NSTextViewWithPlaceholder> m_textView;
    QColor m_matchColors[2];
    std::shared_ptr<RegularExpressionController> m_expressionController;
    bool m_isEvaluatingExpression = false;
    MatchResults m_matches;
    QString m_lastText;
    QString m_pattern;
    RegularExpressionOptions m_options;
    int m_activeGroup = 0;
    std::optional<RegularExpression::Error> m_compileError;
    std::shared_ptr<const icu::RegexPattern> m_compiledPattern;
    // An update arrived while a run was still going; the stop's completion evaluates the newest input.
    bool m_updatePending = false;
    std::optional<EvaluationStopReason> m_stopReason;
    std::chrono::milliseconds m_timeBudget {0};
    QTimer m_budgetTimer;
    int32_t m_stackLimit = defaultBacktrackStackLimit;
    UErrorCode m_injectedMatchingError = U_ZERO_ERROR;
    QTimer m_staleTimer;
    bool m_paintingIsStale = false;
    // Painting is applied only while the view still shows the text the matches belong to.
    bool m_painting = false;
    int m_currentRevision = -1;
    // Setting a block's formats makes the view ask for its visible blocks again from within the painting pass.
    bool m_paintingBlocks = false;
    bool m_visibleBlocksChangedWhilePainting = false;
    GroupRangeIndex m_groupRanges;
};

#pragma once

#include "core/evaluation/ActiveGroupControllerDelegate.h"
#include "core/evaluation/MatchEvaluationDelegate.h"
#include "core/evaluation/RegularExpression.h"
#include "core/library/Expression.h"
#include "core/settings/UserDefaultsObserverDelegate.h"
#include "gui/editor/LayoutConstraint.h"
#include "gui/editor/ViewMode.h"
#include "gui/widgets/NSTextViewWithPlaceholderUpdateDelegate.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>

#include <deque>
#include <memory>
#include <optional>

class ActiveGroupController;
class BoxView;
class MatchEvaluation;
class MatchInspectorViewController;
class SubstitutionViewController;
struct TextRange;

class NSTextViewWithPlaceholder;
class OutputTextViewController;
class PatternTextView;
class QLabel;
class QSplitter;
class QTimer;
class QToolButton;
class UserDefaultsObserver;
class ViewAppearanceController;
class ViewSizeController;

// The editor: the pattern above, the sample text below, and around them the error and processing labels, the
// highlighted-group line and the buttons that show the side panels. Edits of either view change the shown
// expression and re-evaluate; the results drive the group stepping, the match inspector and the substitution
// preview, two optional panels below the sample text.
class ExpressionViewController final : public QWidget,
                                       public MatchEvaluationDelegate,
                                       public ActiveGroupControllerDelegate,
                                       public UserDefaultsObserverDelegate,
                                       public NSTextViewWithPlaceholderUpdateDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExpressionViewController)

public:
    enum class PanelSegment { browser = 0, help = 1 };

    static constexpr int hideAnimationDuration = 300;
    static constexpr int showProcessingLabelAfterTime = 500;
    static constexpr int progressInterval = 200;

    explicit ExpressionViewController(QWidget *parent = nullptr);
    ~ExpressionViewController() override;

    Expression *expression() const { return m_expression; }
    // Shows the expression's pattern and text; none shows the "no expression" hint instead.
    void setExpression(Expression *expression);

    PatternTextView *inputTextView() const { return m_inputTextView; }
    NSTextViewWithPlaceholder *outputTextView() const { return m_outputTextView; }
    MatchEvaluation *matchEvaluation() const { return m_matchEvaluation.get(); }
    OutputTextViewController *outputTextViewController() const { return m_outputTextViewController.get(); }
    ActiveGroupController *activeGroupController();
    ViewSizeController *viewSizeController() const { return m_viewSizeController; }
    ViewAppearanceController *viewAppearanceController() const { return m_viewAppearanceController; }
    QLabel *errorLabel() const { return m_errorLabel; }
    // Beside the error label: why the pattern is invalid and where.
    QLabel *errorDetailLabel() const { return m_errorDetailLabel; }
    QLabel *processingLabel() const { return m_processingLabel; }
    QLabel *warningLabel() const { return m_warningLabel; }
    QToolButton *stopButton() const { return m_stopButton; }
    BoxView *groupBox() const { return m_groupBox; }
    QLabel *highlightingGroupLabel() const { return m_highlightingGroupLabel; }
    bool isErrorLabelHidden() const { return m_isErrorLabelHidden; }
    bool isProcessingLabelHidden() const { return m_isProcessingLabelHidden; }
    bool isGroupBoxHidden() const { return m_isGroupBoxHidden; }
    bool isWarningLabelHidden() const { return m_isWarningLabelHidden; }
    MatchInspectorViewController *matchInspector() const { return m_matchInspector; }
    SubstitutionViewController *substitutionPanel() const { return m_substitutionPanel; }

    void makePatternFirstResponder();
    void makeTextFirstResponder();
    void copyEscaped();
    void pasteUnescaped();
    // False when there is no up-to-date substitution result to copy.
    bool copySubstitutionResult();
    void setViewMode(ViewMode mode);
    void showDidClick(PanelSegment segment);
    // Stops the running evaluation; false when none runs.
    bool stopEvaluation();

    void matchEvaluationDidStart(MatchEvaluation *evaluation) override;
    void matchEvaluationDidUpdateMatches(MatchEvaluation *evaluation, const MatchResults &matches) override;
    void matchEvaluationDidFailToCompile(MatchEvaluation *evaluation) override;
    void matchEvaluationDidStop(MatchEvaluation *evaluation, EvaluationStopReason reason) override;
    void matchEvaluationDidFailMatching(MatchEvaluation *evaluation, UErrorCode status,
                                        qsizetype matchesFound) override;
    void activeGroupControllerDidChangeActiveGroup(ActiveGroupController *controller, int activeGroup) override;
    void activeGroupControllerDidSetShouldDisplayActiveGroupInfo(ActiveGroupController *controller,
                                                                 bool shouldDisplay) override;
    void userDefaultsObserverDidChangeValue(UserDefaultsObserver *observer, const QVariant &newValue,
                                            UserDefaultsKey key) override;
    void textViewWithPlaceholderDidUpdateText(NSTextViewWithPlaceholder *view, const QString &text) override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildInterface();
    void updatePanelButtons();
    void updateProcessingLabel();
    void setMaxNumberOfGroups(std::optional<int> count, std::optional<qsizetype> matches);
    void buildPanels(QSplitter *splitter);
    void updateOptionalPanels();
    void selectSampleText(const TextRange &range);
    void setErrorLabelHidden(bool hidden);
    void setProcessingLabelHidden(bool hidden);
    void updateProgressText();
    static QString processingText(int percent);
    void setWarningLabelHidden(bool hidden);
    void applyTimeBudget();
    void applyBacktrackStackLimit();
    void applyOptions(RegularExpressionOptions options);
    void showUnfinishedRun(const QString &message);
    void reevaluateUnlessStopped();
    void writeSampleTextToExpression();
    LayoutConstraint *constraint(LayoutConstraint::Apply apply, qreal constant);

    QPointer<Expression> m_expression;
    bool m_isErrorLabelHidden = true;
    bool m_isProcessingLabelHidden = true;
    bool m_isGroupBoxHidden = true;
    bool m_isWarningLabelHidden = true;
    bool m_loadingExpression = false;
    std::optional<QDateTime> m_startProcessingDate;

    std::deque<LayoutConstraint> m_constraints;
    ViewAppearanceController *m_viewAppearanceController = nullptr;
    ViewSizeController *m_viewSizeController = nullptr;
    PatternTextView *m_inputTextView = nullptr;
    NSTextViewWithPlaceholder *m_outputTextView = nullptr;
    QWidget *m_editorArea = nullptr;
    QLabel *m_errorLabel = nullptr;
    QLabel *m_errorDetailLabel = nullptr;
    QLabel *m_processingLabel = nullptr;
    QLabel *m_warningLabel = nullptr;
    QToolButton *m_stopButton = nullptr;
    QTimer *m_progressTimer = nullptr;
    QLabel *m_patternPlaceholderLabel = nullptr;
    QLabel *m_textPlaceholderLabel = nullptr;
    QLabel *m_noSelectedExpressionLabel = nullptr;
    QLabel *m_highlightingGroupLabel = nullptr;
    BoxView *m_groupBox = nullptr;
    BoxView *m_textBox = nullptr;
    MatchInspectorViewController *m_matchInspector = nullptr;
    SubstitutionViewController *m_substitutionPanel = nullptr;
    QToolButton *m_librarySegment = nullptr;
    QToolButton *m_referenceSegment = nullptr;
    std::unique_ptr<MatchEvaluation> m_matchEvaluation;
    std::unique_ptr<OutputTextViewController> m_outputTextViewController;
    std::unique_ptr<ActiveGroupController> m_activeGroupController;
    std::unique_ptr<UserDefaultsObserver> m_userDefaultsObserver;
};

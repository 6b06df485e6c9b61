#pragma once

#include "core/evaluation/ActiveGroupControllerDelegate.h"
#include "core/evaluation/MatchEvaluationDelegate.h"
#include "core/evaluation/RegularExpression.h"
#include "core/library/Expression.h"
#include "core/settings/UserDefaultsObserverDelegate.h"
#include "gui/editor/EvaluationStatusRow.h"
#include "gui/editor/LayoutConstraint.h"
#include "gui/editor/ViewMode.h"
#include "gui/widgets/NSTextViewWithPlaceholderUpdateDelegate.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <memory>
#include <optional>

class ActiveGroupController;
class ExpressionTestsViewController;
class BoxView;
class MatchEvaluation;
class MatchInspectorViewController;
class MatchingSwitchBar;
class PatternExplanationViewController;
class SubstitutionViewController;
struct TextRange;

class NSTextViewWithPlaceholder;
class OutputTextViewController;
class PatternTextView;
class QLabel;
class QSplitter;
class QToolButton;
class UserDefaultsObserver;
class ViewAppearanceController;
class ViewSizeController;

// The editor: the pattern above, the sample text below, and around them the row that tells how the evaluation went
// and the buttons that show the side panels. Edits of either view change the shown
// expression and re-evaluate; the results drive the group stepping, the match inspector and the substitution
// preview, two optional panels below the sample text; a third explains the pattern, a fourth runs its tests.
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

    static constexpr int showProcessingLabelAfterTime = EvaluationStatusRow::showProcessingLabelAfterTime;
    static constexpr int minimumEditorWidth = 320;

    explicit ExpressionViewController(QWidget *parent = nullptr);
    ~ExpressionViewController() override;

    // Wide enough for the buttons above the pattern and the line below it, which may take two lines.
    QSize minimumSizeHint() const override;
    // Wide enough for the line below the pattern on one line.
    QSize sizeHint() const override;

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
    EvaluationStatusRow *statusRow() const { return m_statusRow; }
    // The status row's parts, as the tests look at them.
    QLabel *errorLabel() const { return m_statusRow->errorLabel(); }
    QLabel *errorDetailLabel() const { return m_statusRow->errorDetailLabel(); }
    QLabel *processingLabel() const { return m_statusRow->processingLabel(); }
    QLabel *warningLabel() const { return m_statusRow->warningLabel(); }
    QToolButton *stopButton() const { return m_statusRow->stopButton(); }
    BoxView *groupBox() const { return m_statusRow->groupBox(); }
    QLabel *highlightingGroupLabel() const { return m_statusRow->highlightingGroupLabel(); }
    bool isErrorLabelHidden() const { return m_statusRow->isErrorLabelHidden(); }
    bool isProcessingLabelHidden() const { return m_statusRow->isProcessingLabelHidden(); }
    bool isGroupBoxHidden() const { return m_statusRow->isInformationHidden(); }
    bool isWarningLabelHidden() const { return m_statusRow->isWarningLabelHidden(); }
    MatchInspectorViewController *matchInspector() const { return m_matchInspector; }
    MatchingSwitchBar *matchingSwitchBar() const { return m_matchingSwitchBar; }
    SubstitutionViewController *substitutionPanel() const { return m_substitutionPanel; }
    PatternExplanationViewController *explanationPanel() const { return m_explanationPanel; }
    ExpressionTestsViewController *testsPanel() const { return m_testsPanel; }

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
    void setMaxNumberOfGroups(std::optional<int> count, std::optional<qsizetype> matches);
    void buildPanels(QSplitter *splitter);
    void updateOptionalPanels();
    void selectSampleText(const TextRange &range);
    void selectPatternText(const TextRange &range);
    void applyTimeBudget();
    void applyBacktrackStackLimit();
    void applyOptions(RegularExpressionOptions options);
    void showUnfinishedRun();
    void reevaluateUnlessStopped();
    void writeSampleTextToExpression();
    void updateGroupName();
    LayoutConstraint *constraint(LayoutConstraint::Apply apply, qreal constant);

    QPointer<Expression> m_expression;
    bool m_loadingExpression = false;

    std::deque<LayoutConstraint> m_constraints;
    ViewAppearanceController *m_viewAppearanceController = nullptr;
    ViewSizeController *m_viewSizeController = nullptr;
    PatternTextView *m_inputTextView = nullptr;
    NSTextViewWithPlaceholder *m_outputTextView = nullptr;
    QWidget *m_editorArea = nullptr;
    EvaluationStatusRow *m_statusRow = nullptr;
    QLabel *m_patternPlaceholderLabel = nullptr;
    QLabel *m_textPlaceholderLabel = nullptr;
    QLabel *m_noSelectedExpressionLabel = nullptr;
    BoxView *m_textBox = nullptr;
    MatchInspectorViewController *m_matchInspector = nullptr;
    SubstitutionViewController *m_substitutionPanel = nullptr;
    PatternExplanationViewController *m_explanationPanel = nullptr;
    ExpressionTestsViewController *m_testsPanel = nullptr;
    QToolButton *m_librarySegment = nullptr;
    QToolButton *m_referenceSegment = nullptr;
    MatchingSwitchBar *m_matchingSwitchBar = nullptr;
    std::unique_ptr<MatchEvaluation> m_matchEvaluation;
    std::unique_ptr<OutputTextViewController> m_outputTextViewController;
    std::unique_ptr<ActiveGroupController> m_activeGroupController;
    std::unique_ptr<UserDefaultsObserver> m_userDefaultsObserver;
    // The names of the groups of this pattern, read when a group was first chosen.
    std::shared_ptr<const icu::RegexPattern> m_groupNamesPattern;
    QStringList m_groupNames;
};

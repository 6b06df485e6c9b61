#include "gui/editor/ExpressionViewController.h"

#include "core/evaluation/ActiveGroupController.h"
#include "core/evaluation/CaptureGroupNames.h"
#include "core/evaluation/MatchEvaluation.h"
#include "core/evaluation/MatchInspectorModel.h"
#include "core/evaluation/MatchResults.h"
#include "core/evaluation/MatchingSwitches.h"
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/SubstitutionController.h"
#include "core/library/Expression.h"
#include "core/settings/UserDefaults.h"
#include "core/settings/UserDefaultsObserver.h"
#include "gui/editor/EvaluationStatusRow.h"
#include "gui/editor/ExpressionTestsViewController.h"
#include "gui/editor/MatchInspectorViewController.h"
#include "gui/editor/MatchingSwitchBar.h"
#include "gui/editor/OutputTextViewController.h"
#include "gui/editor/PatternExplanationViewController.h"
#include "gui/editor/PatternTextView.h"
#include "gui/editor/SubstitutionViewController.h"
#include "gui/editor/ViewAppearanceController.h"
#include "gui/editor/ViewSizeController.h"
#include "gui/widgets/BoxView.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"
#include "gui/widgets/ViewAnimations.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSplitter>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

namespace {

QLabel *makeLabel(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

RegularExpressionOptions optionsInSettings()
{
    return MatchingSwitches::options([](UserDefaultsKey key) { return UserDefaults::standard().boolValue(key); });
}

} // namespace

ExpressionViewController::ExpressionViewController(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("expressionViewController"));
    buildInterface();
    m_userDefaultsObserver = std::make_unique<UserDefaultsObserver>(this);
    m_inputTextView->setUpdateDelegate(this);
    m_outputTextView->setUpdateDelegate(this);
    connect(m_outputTextView, &QPlainTextEdit::textChanged, this,
            &ExpressionViewController::writeSampleTextToExpression);
    applyTimeBudget();
    applyBacktrackStackLimit();
    applyOptions(optionsInSettings());
    m_matchEvaluation->setPattern(m_inputTextView->text());
    setExpression(nullptr);
}

ExpressionViewController::~ExpressionViewController()
{
    // The views go with the widget tree; the controllers that point at them must not outlive them.
    m_inputTextView->setUpdateDelegate(nullptr);
    m_outputTextView->setUpdateDelegate(nullptr);
    m_matchEvaluation.reset();
    m_outputTextViewController.reset();
}

QSize ExpressionViewController::minimumSizeHint() const
{
    const QSize content = QWidget::minimumSizeHint();
    return {qMax(minimumEditorWidth, content.width()), content.height()};
}

QSize ExpressionViewController::sizeHint() const
{
    return {qMax(minimumSizeHint().width(), m_statusRow->sizeHint().width()), QWidget::sizeHint().height()};
}

LayoutConstraint *ExpressionViewController::constraint(LayoutConstraint::Apply apply, qreal constant)
{
    return &m_constraints.emplace_back(constant, std::move(apply));
}

void ExpressionViewController::buildInterface()
{
    setAutoFillBackground(true);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    auto *topBar = new QHBoxLayout;
    topBar->setContentsMargins(12, 8, 12, 0);
    m_librarySegment = new QToolButton(this);
    m_librarySegment->setObjectName(QStringLiteral("librarySegment"));
    //: Button that shows or hides the expression library
    m_librarySegment->setText(tr("Library"));
    m_librarySegment->setToolTip(tr("Show or hide the expression library"));
    m_referenceSegment = new QToolButton(this);
    m_referenceSegment->setObjectName(QStringLiteral("referenceSegment"));
    //: Button that shows or hides the cheat sheet
    m_referenceSegment->setText(tr("Reference"));
    m_referenceSegment->setToolTip(tr("Show or hide the regular-expression reference"));
    for (QToolButton *button : {m_librarySegment, m_referenceSegment}) {
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_librarySegment, &QToolButton::clicked, this, [this] { showDidClick(PanelSegment::browser); });
    connect(m_referenceSegment, &QToolButton::clicked, this, [this] { showDidClick(PanelSegment::help); });
    m_matchingSwitchBar = new MatchingSwitchBar(this);
    topBar->addWidget(m_librarySegment);
    topBar->addStretch();
    // Right above the pattern they change.
    topBar->addWidget(m_matchingSwitchBar);
    topBar->addSpacing(12);
    topBar->addWidget(m_referenceSegment);
    root->addLayout(topBar);

    m_editorArea = new QWidget(this);
    m_editorArea->setObjectName(QStringLiteral("editorArea"));
    auto *editorLayout = new QVBoxLayout(m_editorArea);
    editorLayout->setContentsMargins(0, 0, 0, 0);
    auto *splitter = new QSplitter(Qt::Vertical, m_editorArea);
    splitter->setObjectName(QStringLiteral("editorSplitter"));
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(6);
    editorLayout->addWidget(splitter);

    auto *patternArea = new QWidget(splitter);
    auto *patternLayout = new QVBoxLayout(patternArea);
    m_inputTextView = new PatternTextView(patternArea);
    // Tab moves on to the sample text; a tab in a pattern is written \t.
    m_inputTextView->setTabChangesFocus(true);
    //: Placeholder of the pattern editor
    m_patternPlaceholderLabel = makeLabel(QStringLiteral("patternPlaceholderLabel"), tr("Regular Expression"), this);
    m_inputTextView->setPlaceholderLabel(m_patternPlaceholderLabel);
    patternLayout->addWidget(m_inputTextView);

    auto *textArea = new QWidget(splitter);
    auto *textAreaLayout = new QVBoxLayout(textArea);
    m_textBox = new BoxView(textArea);
    m_textBox->setObjectName(QStringLiteral("textBox"));
    m_textBox->setCornerRadius(6);
    auto *textBoxLayout = new QVBoxLayout(m_textBox);
    textBoxLayout->setContentsMargins(6, 6, 6, 6);
    m_outputTextView = new NSTextViewWithPlaceholder(m_textBox);
    m_outputTextView->setObjectName(QStringLiteral("outputTextView"));
    m_outputTextView->setAccessibleName(tr("Sample text"));
    m_outputTextView->setAccessibleDescription(tr("The text the pattern is matched against, with its matches marked"));
    //: Placeholder of the sample text
    m_textPlaceholderLabel = makeLabel(QStringLiteral("textPlaceholderLabel"), tr("Sample Text"), this);
    m_outputTextView->setPlaceholderLabel(m_textPlaceholderLabel);
    textBoxLayout->addWidget(m_outputTextView);
    textAreaLayout->addWidget(m_textBox);
    splitter->addWidget(patternArea);
    splitter->addWidget(textArea);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 4);
    splitter->setSizes({110, 440});
    root->addWidget(m_editorArea, 1);

    //: Shown in place of the editor while the library has no selection
    m_noSelectedExpressionLabel
        = makeLabel(QStringLiteral("noSelectedExpressionLabel"), tr("No Expression Selected"), this);
    m_noSelectedExpressionLabel->setAlignment(Qt::AlignCenter);
    root->addWidget(m_noSelectedExpressionLabel, 1);

    m_statusRow = new EvaluationStatusRow(this);
    connect(m_statusRow, &EvaluationStatusRow::stopRequested, this, &ExpressionViewController::stopEvaluation);
    root->addWidget(m_statusRow);

    // Margins the size controller scales for presentation.
    ViewSizeController::Outlets sizes;
    sizes.patternTopMarginConstraint = constraint(LayoutConstraint::margins(patternLayout, Qt::TopEdge), 8);
    sizes.patternRightMarginConstraint = constraint(LayoutConstraint::margins(patternLayout, Qt::RightEdge), 16);
    sizes.patternBottomMarginConstraint = constraint(LayoutConstraint::margins(patternLayout, Qt::BottomEdge), 4);
    sizes.patternLeftMarginConstraint = constraint(LayoutConstraint::margins(patternLayout, Qt::LeftEdge), 16);
    sizes.textTopMarginConstraint = constraint(LayoutConstraint::margins(textAreaLayout, Qt::TopEdge), 4);
    sizes.textRightMarginConstraint = constraint(LayoutConstraint::margins(textAreaLayout, Qt::RightEdge), 16);
    sizes.textBottomMarginConstraint = constraint(LayoutConstraint::margins(textAreaLayout, Qt::BottomEdge), 6);
    sizes.textLeftMarginConstraint = constraint(LayoutConstraint::margins(textAreaLayout, Qt::LeftEdge), 16);
    m_statusRow->addSizeOutlets(sizes);
    sizes.noSelectedExpressionLabel = m_noSelectedExpressionLabel;
    sizes.patternPlaceholderLabel = m_patternPlaceholderLabel;
    sizes.textPlaceholderLabel = m_textPlaceholderLabel;
    sizes.textPlaceholderLabelTopConstraint
        = constraint([this](qreal v) { m_outputTextView->setPlaceholderOffset(v); }, 0);
    sizes.patternPlaceholderLabelConstraint
        = constraint([this](qreal v) { m_inputTextView->setPlaceholderOffset(v); }, 0);
    sizes.inputTextView = m_inputTextView;
    sizes.outputTextView = m_outputTextView;
    m_viewSizeController = new ViewSizeController(this);
    m_viewSizeController->setOutlets(sizes);
    // New metrics drop the layouts' colours; the pattern gets its colouring and group marking back at once.
    connect(m_viewSizeController, &ViewSizeController::sizesApplied, m_inputTextView, &PatternTextView::updateColors);
    connect(m_viewSizeController, &ViewSizeController::sizesApplied, m_statusRow, &EvaluationStatusRow::followSizes);
    m_viewSizeController->awakeFromNib();

    m_outputTextViewController = std::make_unique<OutputTextViewController>(m_outputTextView);
    m_matchEvaluation = std::make_unique<MatchEvaluation>();
    m_matchEvaluation->setDelegate(this);
    connect(m_matchEvaluation.get(), &MatchEvaluation::matchesChanged, this, [this] {
        m_outputTextViewController->setMatches(m_matchEvaluation->matches(), m_matchEvaluation->lastText(),
                                               m_matchEvaluation->areMatchesStale());
    });

    m_viewAppearanceController = new ViewAppearanceController(this);
    ViewAppearanceController::Outlets colors;
    colors.visualEffectsView = this;
    colors.highlightingLabel = m_statusRow->highlightingGroupLabel();
    colors.highlightingLabelBox = m_statusRow->groupBox();
    colors.resultLabel = m_statusRow->resultLabel();
    colors.errorLabel = m_statusRow->errorLabel();
    colors.errorDetailLabel = m_statusRow->errorDetailLabel();
    colors.warningLabel = m_statusRow->warningLabel();
    colors.noSelectedExpressionLabel = m_noSelectedExpressionLabel;
    colors.patternPlaceholderLabel = m_patternPlaceholderLabel;
    colors.textPlaceholderLabel = m_textPlaceholderLabel;
    colors.outputTextView = m_outputTextView;
    colors.outputTextViewController = m_outputTextViewController.get();
    colors.patternTextView = m_inputTextView;
    colors.textBox = m_textBox;
    m_viewAppearanceController->setOutlets(colors);
    m_viewAppearanceController->awakeFromNib();
    m_statusRow->setProgressSource([this] { return m_matchEvaluation->progress(); });
    buildPanels(splitter);
}

void ExpressionViewController::buildPanels(QSplitter *splitter)
{
    m_matchInspector = new MatchInspectorViewController(m_viewSizeController, splitter);
    m_substitutionPanel = new SubstitutionViewController(m_viewSizeController, splitter);
    m_explanationPanel = new PatternExplanationViewController(m_viewSizeController, splitter);
    splitter->addWidget(m_matchInspector);
    splitter->addWidget(m_substitutionPanel);
    splitter->addWidget(m_explanationPanel);
    m_testsPanel = new ExpressionTestsViewController(m_viewSizeController, splitter);
    splitter->addWidget(m_testsPanel);
    for (int panel = 2; panel <= 5; ++panel)
        splitter->setStretchFactor(panel, 2);
    m_testsPanel->setSampleSource([this] {
        const QTextCursor selection = m_outputTextView->textCursor();
        const QString text = m_outputTextView->text();
        return selection.hasSelection()
            ? text.sliced(selection.selectionStart(), selection.selectionEnd() - selection.selectionStart())
            : text;
    });
    connect(m_matchInspector, &MatchInspectorViewController::rangeSelected, this,
            &ExpressionViewController::selectSampleText);
    connect(m_matchInspector, &MatchInspectorViewController::groupActivated, this,
            [this](int group) { activeGroupController()->setActiveGroup(group); });
    connect(m_explanationPanel, &PatternExplanationViewController::rangeSelected, this,
            &ExpressionViewController::selectPatternText);
    connect(m_explanationPanel, &PatternExplanationViewController::groupActivated, this,
            [this](int group) { activeGroupController()->setActiveGroup(group); });
    m_inputTextView->setToolTipSource(
        [this](qsizetype position) { return m_explanationPanel->explanationAt(position); });
    connect(&UserDefaults::standard(), &UserDefaults::valueChanged, this, [this](const QString &key) {
        if (key == MatchInspectorViewController::shownKey() || key == SubstitutionViewController::shownKey()
            || key == PatternExplanationViewController::shownKey() || key == ExpressionTestsViewController::shownKey())
            updateOptionalPanels();
    });
    updateOptionalPanels();
}

void ExpressionViewController::updateOptionalPanels()
{
    const UserDefaults &defaults = UserDefaults::standard();
    const bool showInspector = defaults.value(MatchInspectorViewController::shownKey()).toBool();
    m_matchInspector->setVisible(showInspector);
    m_matchInspector->setActive(showInspector);
    const bool showSubstitution = defaults.value(SubstitutionViewController::shownKey()).toBool();
    m_substitutionPanel->setVisible(showSubstitution);
    m_substitutionPanel->setActive(showSubstitution);
    const bool showExplanation = defaults.value(PatternExplanationViewController::shownKey()).toBool();
    m_explanationPanel->setVisible(showExplanation);
    m_explanationPanel->setActive(showExplanation);
    const bool showTests = defaults.value(ExpressionTestsViewController::shownKey()).toBool();
    m_testsPanel->setVisible(showTests);
    m_testsPanel->setActive(showTests);
}

void ExpressionViewController::selectSampleText(const TextRange &range)
{
    // Ranges of an older text would select the wrong characters; the next evaluation brings the right ones.
    if (!range.fitsIn(m_outputTextView->document()->characterCount() - 1)
        || m_outputTextView->text() != m_matchInspector->model()->text())
        return;
    QTextCursor cursor(m_outputTextView->document());
    // The caret at the start, so that scrolling shows where a long match begins.
    cursor.setPosition(int(range.end()));
    cursor.setPosition(int(range.location), QTextCursor::KeepAnchor);
    m_outputTextView->setTextCursor(cursor);
    m_outputTextView->ensureCursorVisible();
}

void ExpressionViewController::selectPatternText(const TextRange &range)
{
    // The panel's tree follows every edit, so its spans are the pattern's.
    if (!range.fitsIn(m_inputTextView->document()->characterCount() - 1))
        return;
    QTextCursor cursor(m_inputTextView->document());
    cursor.setPosition(int(range.location));
    cursor.setPosition(int(range.end()), QTextCursor::KeepAnchor);
    m_inputTextView->setTextCursor(cursor);
    m_inputTextView->ensureCursorVisible();
}

ActiveGroupController *ExpressionViewController::activeGroupController()
{
    if (!m_activeGroupController) {
        m_activeGroupController = std::make_unique<ActiveGroupController>();
        m_activeGroupController->setDelegate(this);
        connect(m_activeGroupController.get(), &ActiveGroupController::activeGroupInfoChanged, m_statusRow,
                &EvaluationStatusRow::setInformation);
    }
    return m_activeGroupController.get();
}

void ExpressionViewController::setExpression(Expression *expression)
{
    m_expression = expression;
    const bool hasExpression = expression != nullptr;
    m_editorArea->setVisible(hasExpression);
    m_noSelectedExpressionLabel->setVisible(!hasExpression);
    if (!hasExpression)
        m_statusRow->clearResult();
    m_substitutionPanel->setExpression(expression);
    m_testsPanel->setExpression(expression);
    m_loadingExpression = true;
    m_inputTextView->setText(hasExpression ? expression->pattern() : QString());
    m_outputTextView->setText(hasExpression ? expression->text() : QString());
    m_loadingExpression = false;
}

void ExpressionViewController::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updatePanelButtons();
}

void ExpressionViewController::updatePanelButtons()
{
    const UserDefaults &defaults = UserDefaults::standard();
    m_librarySegment->setChecked(defaults.boolValue(UserDefaultsKey::showLeftPanel));
    m_referenceSegment->setChecked(defaults.boolValue(UserDefaultsKey::showRightPanel));
}

void ExpressionViewController::showDidClick(PanelSegment segment)
{
    UserDefaults &defaults = UserDefaults::standard();
    switch (segment) {
    case PanelSegment::browser:
        defaults.setValue(UserDefaultsKey::showLeftPanel, m_librarySegment->isChecked());
        break;
    case PanelSegment::help:
        defaults.setValue(UserDefaultsKey::showRightPanel, m_referenceSegment->isChecked());
        break;
    }
    defaults.synchronize();
}

bool ExpressionViewController::stopEvaluation()
{
    return m_matchEvaluation->stop();
}

void ExpressionViewController::keyPressEvent(QKeyEvent *event)
{
    // Reaches here when a text view has left Esc unused; dialogs and editors that use Esc keep it.
    const QWidget *focus = QApplication::focusWidget();
    const bool inTextView = focus && (focus == m_inputTextView || focus == m_outputTextView);
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && inTextView && stopEvaluation()) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ExpressionViewController::makePatternFirstResponder()
{
    if (window()->isWindow())
        m_inputTextView->setFocus(Qt::ShortcutFocusReason);
    ViewAnimations::flash(m_inputTextView);
}

void ExpressionViewController::makeTextFirstResponder()
{
    if (window()->isWindow())
        m_outputTextView->setFocus(Qt::ShortcutFocusReason);
    ViewAnimations::flash(m_outputTextView);
}

void ExpressionViewController::copyEscaped()
{
    m_inputTextView->copyEscaped();
}

void ExpressionViewController::pasteUnescaped()
{
    m_inputTextView->pasteUnescaped();
}

bool ExpressionViewController::copySubstitutionResult()
{
    return m_expression && m_substitutionPanel->isActive() && m_substitutionPanel->copyResult();
}

void ExpressionViewController::setViewMode(ViewMode mode)
{
    m_viewSizeController->setMode(mode);
    reevaluateUnlessStopped();
}

void ExpressionViewController::reevaluateUnlessStopped()
{
    // A stopped evaluation stays stopped until the input changes: a new look is no reason to run it again.
    if (m_statusRow->isWarningLabelHidden())
        m_matchEvaluation->update();
}

void ExpressionViewController::applyTimeBudget()
{
    const int seconds = qBound(0, UserDefaults::standard().integerValue(UserDefaultsKey::timeBudget), 86400);
    m_matchEvaluation->setTimeBudget(std::chrono::seconds(seconds));
    m_testsPanel->setTimeBudget(std::chrono::seconds(seconds));
}

void ExpressionViewController::applyBacktrackStackLimit()
{
    const int bytes = UserDefaults::standard().backtrackStackLimit();
    m_matchEvaluation->setStackLimit(bytes);
    m_substitutionPanel->substitutionController()->setStackLimit(bytes);
    m_testsPanel->setStackLimit(bytes);
}

void ExpressionViewController::applyOptions(RegularExpressionOptions options)
{
    // Free spacing decides what the colouring takes for a comment; a literal pattern has no tokens to colour.
    m_inputTextView->setAllowsCommentsAndWhitespace(options.testFlag(allowCommentsAndWhitespaceOption));
    m_inputTextView->setPatternIsLiteral(options.testFlag(patternIsLiteralOption));
    m_inputTextView->updateColors();
    m_explanationPanel->setOptions(options);
    m_testsPanel->setOptions(options);
    m_matchEvaluation->setOptions(options);
}

void ExpressionViewController::textViewWithPlaceholderDidUpdateText(NSTextViewWithPlaceholder *view,
                                                                    const QString &text)
{
    if (view == m_outputTextView) {
        m_matchEvaluation->setText(text);
        return;
    }
    if (m_expression && !m_loadingExpression)
        m_expression->setPattern(text);
    if (text != m_matchEvaluation->pattern())
        m_substitutionPanel->invalidate();
    m_explanationPanel->setPattern(text);
    m_matchEvaluation->setPattern(text);
}

void ExpressionViewController::writeSampleTextToExpression()
{
    m_substitutionPanel->invalidate();
    if (m_expression && !m_loadingExpression)
        m_expression->setText(m_outputTextView->text());
}

void ExpressionViewController::matchEvaluationDidStart(MatchEvaluation *)
{
    m_statusRow->showProcessing();
}

void ExpressionViewController::matchEvaluationDidUpdateMatches(MatchEvaluation *evaluation, const MatchResults &matches)
{
    if (m_expression)
        m_statusRow->showFinished(matches.count(), evaluation->searchDuration());
    else
        m_statusRow->clearResult();
    m_inputTextView->setErrorPosition(-1);
    if (matches.isEmpty())
        setMaxNumberOfGroups(std::nullopt, std::nullopt);
    else
        setMaxNumberOfGroups(matches.numberOfRanges(), matches.count());
    const std::shared_ptr<const icu::RegexPattern> &pattern = evaluation->compiledPattern();
    updateGroupName();
    m_matchInspector->setResults(matches, evaluation->lastText(), pattern);
    m_substitutionPanel->setInput(pattern, evaluation->lastText());
}

void ExpressionViewController::matchEvaluationDidFailToCompile(MatchEvaluation *evaluation)
{
    const std::optional<RegularExpression::Error> &error = evaluation->compileError();
    //: Error message
    m_statusRow->showInvalid(tr("Expression is invalid"), error, evaluation->pattern().size());
    m_inputTextView->setErrorPosition(error ? error->position : -1);
    setMaxNumberOfGroups(std::nullopt, std::nullopt);
    m_matchInspector->clear();
    m_substitutionPanel->clearInput();
}

void ExpressionViewController::matchEvaluationDidStop(MatchEvaluation *evaluation, EvaluationStopReason reason)
{
    m_statusRow->showStopped(reason, evaluation->timeBudget());
    showUnfinishedRun();
}

void ExpressionViewController::matchEvaluationDidFailMatching(MatchEvaluation *evaluation, UErrorCode status,
                                                              qsizetype matchesFound)
{
    m_statusRow->showFailure(status, matchesFound, evaluation->stackLimit());
    showUnfinishedRun();
}

void ExpressionViewController::showUnfinishedRun()
{
    m_inputTextView->setErrorPosition(-1);
    // Keep the chosen group, but claim no number of matches: the stopped run did not count them all. The panels
    // drop what belonged to earlier input, as the painting does.
    std::optional<int> ranges;
    if (const std::shared_ptr<const icu::RegexPattern> &pattern = m_matchEvaluation->compiledPattern()) {
        UErrorCode status = U_ZERO_ERROR;
        const std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(status));
        if (U_SUCCESS(status))
            ranges = matcher->groupCount() + 1;
    }
    setMaxNumberOfGroups(ranges, std::nullopt);
    m_matchInspector->clear();
    m_substitutionPanel->clearInput();
}

void ExpressionViewController::setMaxNumberOfGroups(std::optional<int> count, std::optional<qsizetype> matches)
{
    ActiveGroupController *groups = activeGroupController();
    if (groups->maxNumberOfGroups() == count && groups->numberOfMatches() == matches)
        return;
    groups->setMaxNumberOfGroups(count);
    groups->setNumberOfMatches(matches);
    groups->updateActiveGroupInfo();
}

void ExpressionViewController::activeGroupControllerDidChangeActiveGroup(ActiveGroupController *, int activeGroup)
{
    m_inputTextView->setHighlightedGroup(activeGroup);
    m_outputTextViewController->setActiveGroup(activeGroup);
    updateGroupName();
}

void ExpressionViewController::updateGroupName()
{
    const int group = m_activeGroupController ? m_activeGroupController->activeGroup() : 0;
    const std::shared_ptr<const icu::RegexPattern> &pattern = m_matchEvaluation->compiledPattern();
    QString name;
    // Read from the pattern only once a group is chosen, and once per pattern: a long one takes a while.
    if (group > 0 && pattern) {
        if (m_groupNamesPattern != pattern) {
            m_groupNames = CaptureGroupNames::of(*pattern);
            m_groupNamesPattern = pattern;
        }
        name = m_groupNames.value(group);
    }
    m_statusRow->setGroupName(name);
}

void ExpressionViewController::activeGroupControllerDidSetShouldDisplayActiveGroupInfo(ActiveGroupController *,
                                                                                       bool shouldDisplay)
{
    m_statusRow->setInformationHidden(!shouldDisplay);
}

void ExpressionViewController::userDefaultsObserverDidChangeValue(UserDefaultsObserver *, const QVariant &newValue,
                                                                  UserDefaultsKey key)
{
    switch (key) {
    case UserDefaultsKey::appearanceMode:
        m_inputTextView->updateColors();
        reevaluateUnlessStopped();
        break;
    case UserDefaultsKey::timeBudget:
        applyTimeBudget();
        m_matchEvaluation->update();
        break;
    case UserDefaultsKey::backtrackStackLimit:
        applyBacktrackStackLimit();
        m_substitutionPanel->invalidate();
        m_matchEvaluation->update();
        break;
    case UserDefaultsKey::caseInsensitive:
    case UserDefaultsKey::multiline:
    case UserDefaultsKey::allowCommentsAndWhitespace:
    case UserDefaultsKey::dotMatchesLineSeparators:
    case UserDefaultsKey::unicodeWordBoundaries:
    case UserDefaultsKey::unixLineSeparators:
    case UserDefaultsKey::patternIsLiteral: {
        RegularExpressionOptions options = m_matchEvaluation->options();
        options.setFlag(MatchingSwitches::forKey(key)->option, newValue.toBool());
        m_substitutionPanel->invalidate();
        applyOptions(options);
        break;
    }
    case UserDefaultsKey::showLeftPanel:
    case UserDefaultsKey::showRightPanel:
        updatePanelButtons();
        break;
    case UserDefaultsKey::pattern:
    case UserDefaultsKey::text:
    case UserDefaultsKey::referenceType:
        break;
    }
}

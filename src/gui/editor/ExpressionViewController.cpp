#include "gui/editor/ExpressionViewController.h"

#include "core/evaluation/ActiveGroupController.h"
#include "core/evaluation/MatchEvaluation.h"
#include "core/evaluation/MatchInspectorModel.h"
#include "core/evaluation/MatchResults.h"
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/SubstitutionController.h"
#include "core/library/Expression.h"
#include "core/settings/UserDefaults.h"
#include "core/settings/UserDefaultsObserver.h"
#include "gui/editor/MatchInspectorViewController.h"
#include "gui/editor/OutputTextViewController.h"
#include "gui/editor/PatternTextView.h"
#include "gui/editor/SubstitutionViewController.h"
#include "gui/editor/ViewAppearanceController.h"
#include "gui/editor/ViewSizeController.h"
#include "gui/widgets/BoxView.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"
#include "gui/widgets/ViewAnimations.h"

#include <QApplication>
#include <QBoxLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QSplitter>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

namespace {

void setMargin(QLayout *layout, Qt::Edge edge, qreal value)
{
    QMargins margins = layout->contentsMargins();
    const int pixels = qRound(value);
    switch (edge) {
    case Qt::TopEdge:
        margins.setTop(pixels);
        break;
    case Qt::RightEdge:
        margins.setRight(pixels);
        break;
    case Qt::BottomEdge:
        margins.setBottom(pixels);
        break;
    case Qt::LeftEdge:
        margins.setLeft(pixels);
        break;
    }
    layout->setContentsMargins(margins);
}

QLabel *makeLabel(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

// The settings switches and the compile options they stand for.
constexpr std::pair<UserDefaultsKey, RegularExpressionOption> optionSwitches[] = {
    {UserDefaultsKey::caseInsensitive, caseInsensitiveOption},
    {UserDefaultsKey::allowCommentsAndWhitespace, allowCommentsAndWhitespaceOption},
    {UserDefaultsKey::multiline, anchorsMatchLinesOption},
};

RegularExpressionOptions optionsInSettings()
{
    RegularExpressionOptions options;
    for (const auto &[key, option] : optionSwitches)
        options.setFlag(option, UserDefaults::standard().boolValue(key));
    return options;
}

void retainSizeWhenHidden(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
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
    topBar->addWidget(m_librarySegment);
    topBar->addStretch();
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
    m_inputTextView->setMinimumHeight(40);
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

    auto *bottomRow = new QGridLayout;
    bottomRow->setHorizontalSpacing(12);
    m_errorLabel = makeLabel(QStringLiteral("errorLabel"), QString(), this);
    m_errorDetailLabel = makeLabel(QStringLiteral("errorDetailLabel"), QString(), this);
    m_warningLabel = makeLabel(QStringLiteral("warningLabel"), QString(), this);
    //: Shown while a long evaluation runs
    m_processingLabel = makeLabel(QStringLiteral("processingLabel"), tr("processing…"), this);
    // Right-aligned, so that the count stays beside the stop button.
    m_processingLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_stopButton = new QToolButton(this);
    m_stopButton->setObjectName(QStringLiteral("stopButton"));
    //: Button beside the processing label that stops the evaluation
    m_stopButton->setText(tr("Stop"));
    m_stopButton->setToolTip(tr("Stop the evaluation (Esc)"));
    m_stopButton->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
    m_stopButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_stopButton->setAutoRaise(true);
    // Clicking it must leave the focus, and so Esc, in the text views.
    m_stopButton->setFocusPolicy(Qt::NoFocus);
    connect(m_stopButton, &QToolButton::clicked, this, &ExpressionViewController::stopEvaluation);
    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(progressInterval);
    connect(m_progressTimer, &QTimer::timeout, this, &ExpressionViewController::updateProgressText);
    m_groupBox = new BoxView(this);
    m_groupBox->setObjectName(QStringLiteral("groupBox"));
    m_groupBox->setCornerRadius(4);
    auto *groupLayout = new QHBoxLayout(m_groupBox);
    m_highlightingGroupLabel = makeLabel(QStringLiteral("highlightingGroupLabel"), QString(), m_groupBox);
    groupLayout->addWidget(m_highlightingGroupLabel);
    // Never squeezed: the line is short and must stay whole, also at the doubled sizes.
    m_groupBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    groupLayout->setSizeConstraint(QLayout::SetFixedSize);
    for (QWidget *widget : {static_cast<QWidget *>(m_errorLabel), static_cast<QWidget *>(m_errorDetailLabel),
                            static_cast<QWidget *>(m_warningLabel), static_cast<QWidget *>(m_processingLabel),
                            static_cast<QWidget *>(m_stopButton), static_cast<QWidget *>(m_groupBox)}) {
        retainSizeWhenHidden(widget);
        ViewAnimations::setHidden(widget, true, 0);
    }
    // The messages share what the group line leaves; a hidden one keeps its height but claims no width.
    for (QLabel *label : {m_errorLabel, m_errorDetailLabel, m_warningLabel, m_processingLabel}) {
        QSizePolicy policy = label->sizePolicy();
        policy.setHorizontalPolicy(QSizePolicy::Ignored);
        label->setSizePolicy(policy);
    }
    auto *errorRow = new QHBoxLayout;
    errorRow->setSpacing(12);
    errorRow->addWidget(m_errorLabel);
    errorRow->addWidget(m_errorDetailLabel, 1);
    // The processing label and the stop button leave as an error comes, and the reason needs the room.
    bottomRow->addLayout(errorRow, 0, 0, 1, 3);
    bottomRow->addWidget(m_processingLabel, 0, 1);
    bottomRow->addWidget(m_stopButton, 0, 2);
    // The warning only ever shows after the processing label and the stop button have gone, and the time budget's
    // message needs the room.
    bottomRow->addWidget(m_warningLabel, 0, 0, 1, 3);
    // At the doubled sizes a narrow window cannot hold the time budget's message on one line.
    m_warningLabel->setWordWrap(true);
    bottomRow->addWidget(m_groupBox, 0, 3);
    bottomRow->setColumnStretch(0, 1);
    bottomRow->setColumnStretch(1, 1);
    root->addLayout(bottomRow);

    // Margins the size controller scales for presentation.
    ViewSizeController::Outlets sizes;
    sizes.patternTopMarginConstraint = constraint([=](qreal v) { setMargin(patternLayout, Qt::TopEdge, v); }, 8);
    sizes.patternRightMarginConstraint = constraint([=](qreal v) { setMargin(patternLayout, Qt::RightEdge, v); }, 16);
    sizes.patternBottomMarginConstraint = constraint([=](qreal v) { setMargin(patternLayout, Qt::BottomEdge, v); }, 4);
    sizes.patternLeftMarginConstraint = constraint([=](qreal v) { setMargin(patternLayout, Qt::LeftEdge, v); }, 16);
    sizes.textTopMarginConstraint = constraint([=](qreal v) { setMargin(textAreaLayout, Qt::TopEdge, v); }, 4);
    sizes.textRightMarginConstraint = constraint([=](qreal v) { setMargin(textAreaLayout, Qt::RightEdge, v); }, 16);
    sizes.textBottomMarginConstraint = constraint([=](qreal v) { setMargin(textAreaLayout, Qt::BottomEdge, v); }, 6);
    sizes.textLeftMarginConstraint = constraint([=](qreal v) { setMargin(textAreaLayout, Qt::LeftEdge, v); }, 16);
    sizes.highlightingBoxTopConstraint = constraint([=](qreal v) { setMargin(groupLayout, Qt::TopEdge, v); }, 3);
    sizes.highlightingBoxTrailingConstraint = constraint([=](qreal v) { setMargin(groupLayout, Qt::RightEdge, v); }, 8);
    sizes.highlightingBoxBottomConstraint = constraint([=](qreal v) { setMargin(groupLayout, Qt::BottomEdge, v); }, 3);
    sizes.highlightingBoxLeadingConstraint = constraint([=](qreal v) { setMargin(groupLayout, Qt::LeftEdge, v); }, 8);
    sizes.highlightingBoxBottomMarginConstraint
        = constraint([=](qreal v) { setMargin(bottomRow, Qt::BottomEdge, v); }, 10);
    sizes.errorLabelBottomMarginConstraint
        = constraint([this](qreal v) { m_errorLabel->setContentsMargins(0, 0, 0, qRound(v)); }, 0);
    sizes.processingLabelBottomMarginConstraint
        = constraint([this](qreal v) { m_processingLabel->setContentsMargins(0, 0, 0, qRound(v)); }, 0);
    constraint(
        [=](qreal v) {
            setMargin(bottomRow, Qt::LeftEdge, v);
            setMargin(bottomRow, Qt::RightEdge, v);
        },
        16);
    sizes.highlightingLabel = m_highlightingGroupLabel;
    sizes.errorLabel = m_errorLabel;
    sizes.processingLabel = m_processingLabel;
    sizes.noSelectedExpressionLabel = m_noSelectedExpressionLabel;
    sizes.patternPlaceholderLabel = m_patternPlaceholderLabel;
    sizes.textPlaceholderLabel = m_textPlaceholderLabel;
    sizes.highlightingLabelBox = m_groupBox;
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
    // The warning and the stop button go with the processing label, also at the doubled sizes.
    connect(m_viewSizeController, &ViewSizeController::sizesApplied, this, [this] {
        m_warningLabel->setFont(m_processingLabel->font());
        m_errorDetailLabel->setFont(m_errorLabel->font());
        m_stopButton->setFont(m_processingLabel->font());
        const int side = m_stopButton->fontMetrics().height();
        m_stopButton->setIconSize(QSize(side, side));
    });
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
    colors.highlightingLabel = m_highlightingGroupLabel;
    colors.highlightingLabelBox = m_groupBox;
    colors.errorLabel = m_errorLabel;
    colors.errorDetailLabel = m_errorDetailLabel;
    colors.warningLabel = m_warningLabel;
    colors.noSelectedExpressionLabel = m_noSelectedExpressionLabel;
    colors.patternPlaceholderLabel = m_patternPlaceholderLabel;
    colors.textPlaceholderLabel = m_textPlaceholderLabel;
    colors.outputTextView = m_outputTextView;
    colors.outputTextViewController = m_outputTextViewController.get();
    colors.patternTextView = m_inputTextView;
    colors.textBox = m_textBox;
    m_viewAppearanceController->setOutlets(colors);
    m_viewAppearanceController->awakeFromNib();
    buildPanels(splitter);
}

void ExpressionViewController::buildPanels(QSplitter *splitter)
{
    m_matchInspector = new MatchInspectorViewController(m_viewSizeController, splitter);
    m_substitutionPanel = new SubstitutionViewController(m_viewSizeController, splitter);
    splitter->addWidget(m_matchInspector);
    splitter->addWidget(m_substitutionPanel);
    splitter->setStretchFactor(2, 2);
    splitter->setStretchFactor(3, 2);
    connect(m_matchInspector, &MatchInspectorViewController::rangeSelected, this,
            &ExpressionViewController::selectSampleText);
    connect(m_matchInspector, &MatchInspectorViewController::groupActivated, this,
            [this](int group) { activeGroupController()->setActiveGroup(group); });
    connect(&UserDefaults::standard(), &UserDefaults::valueChanged, this, [this](const QString &key) {
        if (key == MatchInspectorViewController::shownKey() || key == SubstitutionViewController::shownKey())
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

ActiveGroupController *ExpressionViewController::activeGroupController()
{
    if (!m_activeGroupController) {
        m_activeGroupController = std::make_unique<ActiveGroupController>();
        m_activeGroupController->setDelegate(this);
        connect(m_activeGroupController.get(), &ActiveGroupController::activeGroupInfoChanged, m_highlightingGroupLabel,
                &QLabel::setText);
    }
    return m_activeGroupController.get();
}

void ExpressionViewController::setExpression(Expression *expression)
{
    m_expression = expression;
    const bool hasExpression = expression != nullptr;
    m_editorArea->setVisible(hasExpression);
    m_noSelectedExpressionLabel->setVisible(!hasExpression);
    m_substitutionPanel->setExpression(expression);
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
    if (m_isWarningLabelHidden)
        m_matchEvaluation->update();
}

void ExpressionViewController::applyTimeBudget()
{
    const int seconds = qBound(0, UserDefaults::standard().integerValue(UserDefaultsKey::timeBudget), 86400);
    m_matchEvaluation->setTimeBudget(std::chrono::seconds(seconds));
}

void ExpressionViewController::applyBacktrackStackLimit()
{
    const int bytes = UserDefaults::standard().backtrackStackLimit();
    m_matchEvaluation->setStackLimit(bytes);
    m_substitutionPanel->substitutionController()->setStackLimit(bytes);
}

void ExpressionViewController::applyOptions(RegularExpressionOptions options)
{
    // Free spacing decides what the colouring takes for a comment.
    m_inputTextView->setAllowsCommentsAndWhitespace(options.testFlag(allowCommentsAndWhitespaceOption));
    m_inputTextView->updateColors();
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
    setWarningLabelHidden(true);
    m_startProcessingDate = QDateTime::currentDateTimeUtc();
    QTimer::singleShot(showProcessingLabelAfterTime, this, &ExpressionViewController::updateProcessingLabel);
}

void ExpressionViewController::updateProcessingLabel()
{
    if (!m_startProcessingDate)
        return;
    const qint64 elapsed = m_startProcessingDate->msecsTo(QDateTime::currentDateTimeUtc());
    if (elapsed >= showProcessingLabelAfterTime) {
        setProcessingLabelHidden(false);
        return;
    }
    // A coarse timer may fire a few ms early; without another look the label would never show for this run.
    QTimer::singleShot(showProcessingLabelAfterTime - elapsed, this, &ExpressionViewController::updateProcessingLabel);
}

void ExpressionViewController::matchEvaluationDidUpdateMatches(MatchEvaluation *evaluation, const MatchResults &matches)
{
    setErrorLabelHidden(true);
    m_inputTextView->setErrorPosition(-1);
    setWarningLabelHidden(true);
    if (matches.isEmpty())
        setMaxNumberOfGroups(std::nullopt, std::nullopt);
    else
        setMaxNumberOfGroups(matches.numberOfRanges(), matches.count());
    setProcessingLabelHidden(true);
    m_startProcessingDate.reset();
    const std::shared_ptr<const icu::RegexPattern> &pattern = evaluation->compiledPattern();
    m_matchInspector->setResults(matches, evaluation->lastText(), pattern);
    m_substitutionPanel->setInput(pattern, evaluation->lastText());
}

void ExpressionViewController::matchEvaluationDidFailToCompile(MatchEvaluation *evaluation)
{
    setErrorLabelHidden(true);
    //: Error message
    m_errorLabel->setText(tr("Expression is invalid"));
    QString details;
    QString reason;
    qsizetype position = -1;
    if (const auto &error = evaluation->compileError()) {
        //: Tooltip of the error label: the engine's error name, then where in the pattern it is
        details = tr("%1 at line %2, offset %3").arg(error->message).arg(error->line).arg(error->offset);
        position = error->position;
        if (error->line < 1) {
            reason = error->reason;
        } else if (position >= evaluation->pattern().size()) {
            //: Why the pattern is invalid, then where: after the last character
            reason = tr("%1 \u00B7 at the end").arg(error->reason);
        } else {
            //: Why the pattern is invalid, then where; the column counts characters from 1
            reason = tr("%1 \u00B7 line %2, column %3").arg(error->reason).arg(error->line).arg(error->offset);
        }
    }
    m_errorLabel->setToolTip(details);
    m_errorDetailLabel->setText(reason);
    m_errorDetailLabel->setToolTip(details);
    m_inputTextView->setErrorPosition(position);
    setErrorLabelHidden(false);
    setMaxNumberOfGroups(std::nullopt, std::nullopt);
    setProcessingLabelHidden(true);
    m_startProcessingDate.reset();
    m_matchInspector->clear();
    m_substitutionPanel->clearInput();
}

void ExpressionViewController::matchEvaluationDidStop(MatchEvaluation *evaluation, EvaluationStopReason reason)
{
    QString message;
    switch (reason) {
    case EvaluationStopReason::user:
        //: Shown after the user stopped a long evaluation, until the next edit
        message = tr("Evaluation stopped.");
        break;
    case EvaluationStopReason::timeBudget: {
        const qint64 milliseconds = evaluation->timeBudget().count();
        const QString seconds = milliseconds % 1000 == 0 ? QString::number(milliseconds / 1000)
                                                         : QString::number(double(milliseconds) / 1000.0);
        //: Shown after an evaluation ran out of the time the preferences allow; %1 is that time in seconds
        message = tr("Stopped after %1 s (time budget). Change it in Preferences.").arg(seconds);
        break;
    }
    }
    showUnfinishedRun(message);
}

void ExpressionViewController::matchEvaluationDidFailMatching(MatchEvaluation *evaluation, UErrorCode status,
                                                              qsizetype matchesFound)
{
    QString found;
    if (matchesFound == 0)
        //: After a failed evaluation
        found = tr("No match was found before it.");
    else if (matchesFound == 1)
        //: After a failed evaluation; the match is not painted
        found = tr("1 match was found before it and is not shown.");
    else
        //: After a failed evaluation; the matches are not painted
        found = tr("%L1 matches were found before it and are not shown.").arg(matchesFound);
    //: Shown when the engine failed during an evaluation: %1 why, %2 the engine's error code, %3 how many matches
    //: it had found
    QString message
        = tr("Matching failed: %1 (%2). %3")
              .arg(RegularExpression::matchingFailureReason(status), QString::fromLatin1(u_errorName(status)), found);
    if (status == U_REGEX_STACK_OVERFLOW) {
        const int32_t limit = evaluation->stackLimit();
        const QString megabytes = QLocale().toString(double(limit) / 1e6, 'g', 6);
        message += u' '
            + (limit > 0
                   //: After a failed evaluation; %1 is the backtrack stack limit in megabytes
                   ? tr("The limit of %1 MB can be raised in Preferences.").arg(megabytes)
                   : tr("The limit can be raised in Preferences."));
    }
    showUnfinishedRun(message);
}

void ExpressionViewController::showUnfinishedRun(const QString &message)
{
    // The pattern compiled; an error shown for an earlier one is out of date.
    setErrorLabelHidden(true);
    m_inputTextView->setErrorPosition(-1);
    setProcessingLabelHidden(true);
    m_startProcessingDate.reset();
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
    m_warningLabel->setText(message);
    setWarningLabelHidden(false);
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

void ExpressionViewController::setErrorLabelHidden(bool hidden)
{
    m_isErrorLabelHidden = hidden;
    // Never cut: the reason beside it gives way first. A hidden label claims no width.
    QSizePolicy policy = m_errorLabel->sizePolicy();
    policy.setHorizontalPolicy(hidden ? QSizePolicy::Ignored : QSizePolicy::Fixed);
    m_errorLabel->setSizePolicy(policy);
    ViewAnimations::setHidden(m_errorLabel, hidden, hideAnimationDuration);
    ViewAnimations::setHidden(m_errorDetailLabel, hidden, hideAnimationDuration);
}

void ExpressionViewController::setProcessingLabelHidden(bool hidden)
{
    if (!hidden)
        updateProgressText();
    // Polled rather than signalled: a search must not pay for telling the interface where it is.
    if (hidden)
        m_progressTimer->stop();
    else if (!m_progressTimer->isActive())
        m_progressTimer->start();
    m_isProcessingLabelHidden = hidden;
    // Its share of the row could cut the text at the doubled sizes; shown, it claims the room of its widest text.
    const int widest = m_processingLabel->fontMetrics().horizontalAdvance(processingText(99));
    m_processingLabel->setMinimumWidth(hidden ? 0 : widest);
    ViewAnimations::setHidden(m_processingLabel, hidden, hideAnimationDuration);
    ViewAnimations::setHidden(m_stopButton, hidden, hideAnimationDuration);
}

void ExpressionViewController::updateProgressText()
{
    // Whole per cent, rounded down: the run is not done while it shows, so never 100.
    const int percent = qBound(0, int(m_matchEvaluation->progress() * 100), 99);
    m_processingLabel->setText(processingText(percent));
}

QString ExpressionViewController::processingText(int percent)
{
    //: Shown while a long evaluation runs; %1 is how much of the sample text it has searched, in per cent
    return tr("processing… %1 %").arg(percent);
}

void ExpressionViewController::setWarningLabelHidden(bool hidden)
{
    if (hidden == m_isWarningLabelHidden)
        return;
    m_isWarningLabelHidden = hidden;
    ViewAnimations::setHidden(m_warningLabel, hidden, hideAnimationDuration);
}

void ExpressionViewController::activeGroupControllerDidChangeActiveGroup(ActiveGroupController *, int activeGroup)
{
    m_inputTextView->setHighlightedGroup(activeGroup);
    m_outputTextViewController->setActiveGroup(activeGroup);
}

void ExpressionViewController::activeGroupControllerDidSetShouldDisplayActiveGroupInfo(ActiveGroupController *,
                                                                                       bool shouldDisplay)
{
    m_isGroupBoxHidden = !shouldDisplay;
    ViewAnimations::setHidden(m_groupBox, m_isGroupBoxHidden, hideAnimationDuration);
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
    case UserDefaultsKey::allowCommentsAndWhitespace: {
        RegularExpressionOptions options = m_matchEvaluation->options();
        for (const auto &[optionKey, option] : optionSwitches) {
            if (optionKey == key)
                options.setFlag(option, newValue.toBool());
        }
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

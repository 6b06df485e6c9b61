#include "gui/editor/EvaluationStatusRow.h"

#include "gui/widgets/BoxView.h"
#include "gui/widgets/ViewAnimations.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include <limits>

EvaluationStatusRow::EvaluationStatusRow(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("evaluationStatusRow"));
    auto *layout = new QGridLayout(this);
    // The sides stay; the bottom is scaled with the presentation sizes.
    layout->setContentsMargins(16, 0, 16, 0);
    layout->setHorizontalSpacing(12);
    m_resultLabel = new QLabel(this);
    m_resultLabel->setObjectName(QStringLiteral("resultLabel"));
    // Never cut: beside the group line in a narrow editor, or at the doubled sizes, it takes a second line, never a
    // third. It keeps its room while hidden, so that an error while typing does not move the panels.
    m_resultLabel->setWordWrap(true);
    QSizePolicy resultPolicy = m_resultLabel->sizePolicy();
    resultPolicy.setRetainSizeWhenHidden(true);
    m_resultLabel->setSizePolicy(resultPolicy);
    m_resultLabel->hide();
    m_errorLabel = new QLabel(this);
    m_errorLabel->setObjectName(QStringLiteral("errorLabel"));
    m_errorDetailLabel = new QLabel(this);
    m_errorDetailLabel->setObjectName(QStringLiteral("errorDetailLabel"));
    m_warningLabel = new QLabel(this);
    m_warningLabel->setObjectName(QStringLiteral("warningLabel"));
    //: Shown while a long evaluation runs
    m_processingLabel = new QLabel(tr("processing…"), this);
    m_processingLabel->setObjectName(QStringLiteral("processingLabel"));
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
    connect(m_stopButton, &QToolButton::clicked, this, &EvaluationStatusRow::stopRequested);
    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(progressInterval);
    connect(m_progressTimer, &QTimer::timeout, this, &EvaluationStatusRow::updateProgressText);
    m_groupBox = new BoxView(this);
    m_groupBox->setObjectName(QStringLiteral("groupBox"));
    m_groupBox->setCornerRadius(4);
    m_groupLayout = new QHBoxLayout(m_groupBox);
    m_highlightingGroupLabel = new QLabel(m_groupBox);
    m_highlightingGroupLabel->setObjectName(QStringLiteral("highlightingGroupLabel"));
    m_groupLayout->addWidget(m_highlightingGroupLabel);
    // Never squeezed: the line is short and must stay whole, also at the doubled sizes.
    m_groupBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_groupLayout->setSizeConstraint(QLayout::SetFixedSize);
    for (QWidget *widget : {static_cast<QWidget *>(m_errorLabel), static_cast<QWidget *>(m_errorDetailLabel),
                            static_cast<QWidget *>(m_warningLabel), static_cast<QWidget *>(m_processingLabel),
                            static_cast<QWidget *>(m_stopButton), static_cast<QWidget *>(m_groupBox)}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
        ViewAnimations::setHidden(widget, true, 0);
    }
    // The messages share what the group line leaves; a hidden one keeps its height but claims no width.
    for (QWidget *widget : {static_cast<QWidget *>(m_errorLabel), static_cast<QWidget *>(m_errorDetailLabel),
                            static_cast<QWidget *>(m_warningLabel), static_cast<QWidget *>(m_processingLabel),
                            static_cast<QWidget *>(m_stopButton)}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setHorizontalPolicy(QSizePolicy::Ignored);
        widget->setSizePolicy(policy);
    }
    // The processing label and the stop button take its place while they show.
    layout->addWidget(m_resultLabel, 0, 0, 1, 3);
    auto *errorRow = new QHBoxLayout;
    errorRow->setSpacing(12);
    errorRow->addWidget(m_errorLabel);
    errorRow->addWidget(m_errorDetailLabel, 1);
    // The processing label and the stop button leave as an error comes, and the reason needs the room.
    layout->addLayout(errorRow, 0, 0, 1, 3);
    layout->addWidget(m_processingLabel, 0, 1);
    layout->addWidget(m_stopButton, 0, 2);
    // The warning only ever shows after the processing label and the stop button have gone, and the time budget's
    // message needs the room.
    layout->addWidget(m_warningLabel, 0, 0, 1, 3);
    // At the doubled sizes a narrow window cannot hold the time budget's message on one line.
    m_warningLabel->setWordWrap(true);
    layout->addWidget(m_groupBox, 0, 3);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
}

EvaluationStatusRow::~EvaluationStatusRow() = default;

void EvaluationStatusRow::setProgressSource(std::function<double()> source)
{
    m_progress = std::move(source);
}

void EvaluationStatusRow::addSizeOutlets(ViewSizeController::Outlets &outlets)
{
    const auto constraint = [this](LayoutConstraint::Apply apply, qreal constant) {
        return &m_constraints.emplace_back(constant, std::move(apply));
    };
    outlets.highlightingBoxTopConstraint = constraint(LayoutConstraint::margins(m_groupLayout, Qt::TopEdge), 3);
    outlets.highlightingBoxTrailingConstraint = constraint(LayoutConstraint::margins(m_groupLayout, Qt::RightEdge), 8);
    outlets.highlightingBoxBottomConstraint = constraint(LayoutConstraint::margins(m_groupLayout, Qt::BottomEdge), 3);
    outlets.highlightingBoxLeadingConstraint = constraint(LayoutConstraint::margins(m_groupLayout, Qt::LeftEdge), 8);
    outlets.highlightingBoxBottomMarginConstraint = constraint(LayoutConstraint::margins(layout(), Qt::BottomEdge), 10);
    outlets.errorLabelBottomMarginConstraint = constraint(LayoutConstraint::margins(m_errorLabel, Qt::BottomEdge), 0);
    outlets.processingLabelBottomMarginConstraint
        = constraint(LayoutConstraint::margins(m_processingLabel, Qt::BottomEdge), 0);
    outlets.highlightingLabel = m_highlightingGroupLabel;
    outlets.errorLabel = m_errorLabel;
    outlets.processingLabel = m_processingLabel;
    outlets.highlightingLabelBox = m_groupBox;
}

void EvaluationStatusRow::followSizes()
{
    // The warning and the stop button go with the processing label, also at the doubled sizes.
    m_warningLabel->setFont(m_processingLabel->font());
    m_errorDetailLabel->setFont(m_errorLabel->font());
    m_stopButton->setFont(m_processingLabel->font());
    m_resultLabel->setFont(m_processingLabel->font());
    updateResultText();
    const int side = m_stopButton->fontMetrics().height();
    m_stopButton->setIconSize(QSize(side, side));
    // The editor's layout must learn of the row's new minimum in this pass: it may have been laid out with the old
    // one before the row's own layout ran, and would then let a narrow window cut the row.
    updateGeometry();
}

void EvaluationStatusRow::showProcessing()
{
    setWarningLabelHidden(true);
    m_startProcessingDate = QDateTime::currentDateTimeUtc();
    QTimer::singleShot(showProcessingLabelAfterTime, this, &EvaluationStatusRow::updateProcessingLabel);
}

void EvaluationStatusRow::updateProcessingLabel()
{
    if (!m_startProcessingDate)
        return;
    const qint64 elapsed = m_startProcessingDate->msecsTo(QDateTime::currentDateTimeUtc());
    if (elapsed >= showProcessingLabelAfterTime) {
        setProcessingLabelHidden(false);
        return;
    }
    // A coarse timer may fire a few ms early; without another look the label would never show for this run.
    QTimer::singleShot(showProcessingLabelAfterTime - elapsed, this, &EvaluationStatusRow::updateProcessingLabel);
}

void EvaluationStatusRow::showFinished(qsizetype matches, std::optional<std::chrono::nanoseconds> searchDuration)
{
    setErrorLabelHidden(true);
    setWarningLabelHidden(true);
    setProcessingLabelHidden(true);
    m_startProcessingDate.reset();
    m_matches = matches;
    m_searchDuration = searchDuration;
    updateResultText();
    setResultHidden(false);
}

void EvaluationStatusRow::setGroupName(const QString &name)
{
    m_groupName = name;
    updateResultText();
}

void EvaluationStatusRow::clearResult()
{
    m_matches.reset();
    m_searchDuration.reset();
    updateResultText();
    setResultHidden(true);
}

void EvaluationStatusRow::updateResultText()
{
    if (!m_matches) {
        m_resultLabel->clear();
        m_resultLabel->setMinimumWidth(0);
        return;
    }
    QString text;
    if (*m_matches == 0)
        //: Result line when the pattern finds nothing
        text = tr("no matches found");
    else
        //: Result line: how many matches the pattern found
        text = tr("%Ln match(es)", nullptr, int(qMin<qsizetype>(*m_matches, std::numeric_limits<int>::max())));
    if (m_searchDuration) {
        const qint64 microseconds = std::chrono::duration_cast<std::chrono::microseconds>(*m_searchDuration).count();
        // No-break spaces keep each number with its unit when the line wraps.
        QString duration;
        if (microseconds < 100)
            //: How long a search took, when it was quicker than a tenth of a millisecond
            duration = tr("<\u00A0%L1\u00A0ms").arg(0.1, 0, 'f', 1);
        else if (microseconds < 10'000)
            //: How long a search took, in milliseconds with one decimal
            duration = tr("%L1\u00A0ms").arg(double(microseconds) / 1000.0, 0, 'f', 1);
        else if (microseconds < 10'000'000)
            //: How long a search took, in whole milliseconds
            duration = tr("%L1\u00A0ms").arg((microseconds + 500) / 1000);
        else
            //: How long a search took, in seconds
            duration = tr("%L1\u00A0s").arg(double(microseconds) / 1e6, 0, 'f', 1);
        //: Result line: how many matches, then how long the search took, e.g. "4 matches in 14 ms"
        text = tr("%1 in %2").arg(text, duration);
    }
    if (!m_groupName.isEmpty()) {
        // A name can be as long as the pattern; the line keeps room for the rest and tells it whole in the tooltip.
        const QString shown = m_groupName.size() > maximumShownNameLength
            ? m_groupName.left(maximumShownNameLength - 1) + u'\u2026'
            : m_groupName;
        //: Appended to the result line: the name of the highlighted capture group
        text += u" \u00B7 " + tr("group\u00A0\u201C%1\u201D").arg(shown);
    }
    m_resultLabel->setText(text);
    // Room for the text in two lines, whichever words the second one takes.
    m_resultLabel->setMinimumWidth(m_resultLabel->fontMetrics().horizontalAdvance(text) * 2 / 3 + 1);
    m_resultLabel->setToolTip(m_groupName.size() > maximumShownNameLength ? m_groupName : QString());
}

void EvaluationStatusRow::setResultHidden(bool hidden)
{
    if (hidden == m_isResultHidden)
        return;
    m_isResultHidden = hidden;
    // At once: a fade on every keystroke would flicker.
    m_resultLabel->setVisible(!hidden);
}

void EvaluationStatusRow::showInvalid(const QString &message, const std::optional<RegularExpression::Error> &error,
                                      qsizetype patternLength)
{
    setErrorLabelHidden(true);
    m_errorLabel->setText(message);
    QString details;
    QString reason;
    if (error) {
        //: Tooltip of the error label: the engine's error name, then where in the pattern it is
        details = tr("%1 at line %2, offset %3").arg(error->message).arg(error->line).arg(error->offset);
        if (error->line < 1) {
            reason = error->reason;
        } else if (error->position >= patternLength) {
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
    setResultHidden(true);
    setErrorLabelHidden(false);
    setProcessingLabelHidden(true);
    m_startProcessingDate.reset();
}

void EvaluationStatusRow::showStopped(EvaluationStopReason reason, std::chrono::milliseconds timeBudget)
{
    QString message;
    switch (reason) {
    case EvaluationStopReason::user:
        //: Shown after the user stopped a long evaluation, until the next edit
        message = tr("Evaluation stopped.");
        break;
    case EvaluationStopReason::timeBudget: {
        const qint64 milliseconds = timeBudget.count();
        const QString seconds = milliseconds % 1000 == 0 ? QString::number(milliseconds / 1000)
                                                         : QString::number(double(milliseconds) / 1000.0);
        //: Shown after an evaluation ran out of the time the preferences allow; %1 is that time in seconds
        message = tr("Stopped after %1 s (time budget). Change it in Preferences.").arg(seconds);
        break;
    }
    }
    showUnfinished(message);
}

void EvaluationStatusRow::showFailure(UErrorCode status, qsizetype matchesFound, int32_t stackLimit)
{
    QString found;
    if (matchesFound == 0)
        //: After a failed evaluation
        found = tr("No match was found before it.");
    else
        //: After a failed evaluation; the matches are not painted
        found = tr("%Ln match(es) was/were found before it and is/are not shown.", nullptr,
                   int(qMin<qsizetype>(matchesFound, std::numeric_limits<int>::max())));
    //: Shown when the engine failed during an evaluation: %1 why, %2 the engine's error code, %3 how many matches
    //: it had found
    QString message
        = tr("Matching failed: %1 (%2). %3")
              .arg(RegularExpression::matchingFailureReason(status), QString::fromLatin1(u_errorName(status)), found);
    if (status == U_REGEX_STACK_OVERFLOW) {
        const QString megabytes = QLocale().toString(double(stackLimit) / 1e6, 'g', 6);
        message += u' '
            + (stackLimit > 0
                   //: After a failed evaluation; %1 is the backtrack stack limit in megabytes
                   ? tr("The limit of %1 MB can be raised in Preferences.").arg(megabytes)
                   : tr("The limit can be raised in Preferences."));
    }
    showUnfinished(message);
}

void EvaluationStatusRow::showUnfinished(const QString &message)
{
    // The pattern compiled; an error shown for an earlier one is out of date.
    setErrorLabelHidden(true);
    setProcessingLabelHidden(true);
    m_startProcessingDate.reset();
    m_warningLabel->setText(message);
    setResultHidden(true);
    setWarningLabelHidden(false);
}

void EvaluationStatusRow::setInformation(const QString &text)
{
    m_highlightingGroupLabel->setText(text);
}

void EvaluationStatusRow::setInformationHidden(bool hidden)
{
    m_isGroupBoxHidden = hidden;
    ViewAnimations::setHidden(m_groupBox, hidden, hideAnimationDuration);
}

void EvaluationStatusRow::setErrorLabelHidden(bool hidden)
{
    m_isErrorLabelHidden = hidden;
    // Never cut: the reason beside it gives way first. A hidden label claims no width.
    QSizePolicy policy = m_errorLabel->sizePolicy();
    policy.setHorizontalPolicy(hidden ? QSizePolicy::Ignored : QSizePolicy::Fixed);
    m_errorLabel->setSizePolicy(policy);
    ViewAnimations::setHidden(m_errorLabel, hidden, hideAnimationDuration);
    ViewAnimations::setHidden(m_errorDetailLabel, hidden, hideAnimationDuration);
}

void EvaluationStatusRow::setProcessingLabelHidden(bool hidden)
{
    if (!hidden) {
        updateProgressText();
        // The result is that of earlier input; the progress is the line's news now.
        setResultHidden(true);
    }
    // Polled rather than signalled: a search must not pay for telling the interface where it is.
    if (hidden)
        m_progressTimer->stop();
    else if (!m_progressTimer->isActive())
        m_progressTimer->start();
    m_isProcessingLabelHidden = hidden;
    // Hidden, the button keeps its height but claims no width from the line.
    QSizePolicy stopPolicy = m_stopButton->sizePolicy();
    stopPolicy.setHorizontalPolicy(hidden ? QSizePolicy::Ignored : QSizePolicy::Fixed);
    m_stopButton->setSizePolicy(stopPolicy);
    // Its share of the row could cut the text at the doubled sizes; shown, it claims the room of its widest text.
    const int widest = m_processingLabel->fontMetrics().horizontalAdvance(processingText(99));
    m_processingLabel->setMinimumWidth(hidden ? 0 : widest);
    ViewAnimations::setHidden(m_processingLabel, hidden, hideAnimationDuration);
    ViewAnimations::setHidden(m_stopButton, hidden, hideAnimationDuration);
}

void EvaluationStatusRow::updateProgressText()
{
    // Whole per cent, rounded down: the run is not done while it shows, so never 100.
    const double progress = m_progress ? m_progress() : 0.0;
    m_processingLabel->setText(processingText(qBound(0, int(progress * 100), 99)));
}

QString EvaluationStatusRow::processingText(int percent)
{
    //: Shown while a long evaluation runs; %1 is how much of the sample text it has searched, in per cent
    return tr("processing… %1 %").arg(percent);
}

void EvaluationStatusRow::setWarningLabelHidden(bool hidden)
{
    if (hidden == m_isWarningLabelHidden)
        return;
    m_isWarningLabelHidden = hidden;
    ViewAnimations::setHidden(m_warningLabel, hidden, hideAnimationDuration);
}

#pragma once

#include "core/evaluation/EvaluationStopReason.h"
#include "core/evaluation/RegularExpression.h"
#include "gui/editor/LayoutConstraint.h"
#include "gui/editor/ViewSizeController.h"

#include <QDateTime>
#include <QWidget>

#include <chrono>
#include <deque>
#include <functional>
#include <optional>

class BoxView;
class QLabel;
class QLayout;
class QTimer;
class QToolButton;

// The row below the editor that tells how the latest evaluation went: how many matches it found, how long the search
// took and the chosen group's name; while a long one runs, how far it got and a button that stops it; why the
// pattern is invalid; why a run ended before its end; and the line of the highlighted group. Each message fades in
// and out, and a new state hides what belonged to the one before.
class EvaluationStatusRow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EvaluationStatusRow)

public:
    static constexpr int hideAnimationDuration = 300;
    static constexpr int showProcessingLabelAfterTime = 500;
    static constexpr int progressInterval = 200;
    // Characters of a group's name the result line shows; a longer one ends in "…".
    static constexpr qsizetype maximumShownNameLength = 24;

    explicit EvaluationStatusRow(QWidget *parent = nullptr);
    ~EvaluationStatusRow() override;

    // How much of the text the running evaluation has searched, from 0 to 1; read while the processing label shows.
    void setProgressSource(std::function<double()> source);

    // A run started: the message of a stopped one goes, and the processing label and the stop button come once the
    // run has taken showProcessingLabelAfterTime.
    void showProcessing();
    // The run found all its matches: the result line states how many, and how long the search took when there was
    // one.
    void showFinished(qsizetype matches, std::optional<std::chrono::nanoseconds> searchDuration);
    // The chosen group's name for the result line; empty for none.
    void setGroupName(const QString &name);
    // No result to state: no expression is shown.
    void clearResult();
    // The pattern does not compile: the message, and from the engine's error (when there is one) why and where.
    // The pattern's length tells a place at its end.
    void showInvalid(const QString &message, const std::optional<RegularExpression::Error> &error,
                     qsizetype patternLength);
    // The run ended before searching the whole text: stopped, or failed in the engine.
    void showStopped(EvaluationStopReason reason, std::chrono::milliseconds timeBudget);
    void showFailure(UErrorCode status, qsizetype matchesFound, int32_t stackLimit);

    // The highlighted group's line.
    void setInformation(const QString &text);
    void setInformationHidden(bool hidden);

    // The labels and margins the size controller scales.
    void addSizeOutlets(ViewSizeController::Outlets &outlets);
    // After new sizes: the labels the size controller leaves alone follow those it sets.
    void followSizes();

    // The line that states the result; hidden while another message takes its place.
    QLabel *resultLabel() const { return m_resultLabel; }
    bool isResultHidden() const { return m_isResultHidden; }
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
    bool isWarningLabelHidden() const { return m_isWarningLabelHidden; }
    bool isInformationHidden() const { return m_isGroupBoxHidden; }

Q_SIGNALS:
    void stopRequested();

private:
    void showUnfinished(const QString &message);
    void updateProcessingLabel();
    void setErrorLabelHidden(bool hidden);
    void setProcessingLabelHidden(bool hidden);
    void updateProgressText();
    static QString processingText(int percent);
    void setWarningLabelHidden(bool hidden);
    void setResultHidden(bool hidden);
    void updateResultText();

    bool m_isErrorLabelHidden = true;
    bool m_isProcessingLabelHidden = true;
    bool m_isGroupBoxHidden = true;
    bool m_isWarningLabelHidden = true;
    bool m_isResultHidden = true;
    std::optional<qsizetype> m_matches;
    std::optional<std::chrono::nanoseconds> m_searchDuration;
    QString m_groupName;
    std::optional<QDateTime> m_startProcessingDate;
    std::function<double()> m_progress;
    std::deque<LayoutConstraint> m_constraints;
    QLabel *m_resultLabel = nullptr;
    QLabel *m_errorLabel = nullptr;
    QLabel *m_errorDetailLabel = nullptr;
    QLabel *m_processingLabel = nullptr;
    QLabel *m_warningLabel = nullptr;
    QToolButton *m_stopButton = nullptr;
    QTimer *m_progressTimer = nullptr;
    BoxView *m_groupBox = nullptr;
    QLabel *m_highlightingGroupLabel = nullptr;
    QLayout *m_groupLayout = nullptr;
};

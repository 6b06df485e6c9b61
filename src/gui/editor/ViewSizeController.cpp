#include "gui/editor/ViewSizeController.h"

#include "gui/editor/LayoutConstraint.h"
#include "gui/widgets/BoxView.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QFontDatabase>
#include <QLabel>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

ViewSizeController::ViewSizeController(QObject *parent)
    : QObject(parent)
{
}

ViewSizeController::~ViewSizeController() = default;

std::array<LayoutConstraint *, 15> ViewSizeController::marginConstraints() const
{
    const Outlets &o = m_outlets;
    return {o.patternTopMarginConstraint,
            o.patternRightMarginConstraint,
            o.patternBottomMarginConstraint,
            o.patternLeftMarginConstraint,
            o.textTopMarginConstraint,
            o.textRightMarginConstraint,
            o.textBottomMarginConstraint,
            o.textLeftMarginConstraint,
            o.highlightingBoxTopConstraint,
            o.highlightingBoxTrailingConstraint,
            o.highlightingBoxBottomConstraint,
            o.highlightingBoxLeadingConstraint,
            o.highlightingBoxBottomMarginConstraint,
            o.errorLabelBottomMarginConstraint,
            o.processingLabelBottomMarginConstraint};
}

void ViewSizeController::awakeFromNib()
{
    const std::array<LayoutConstraint *, 15> constraints = marginConstraints();
    for (size_t i = 0; i < constraints.size(); ++i)
        m_marginInitialValues[i] = constraints[i] ? std::optional(constraints[i]->constant()) : std::nullopt;
    if (m_outlets.textPlaceholderLabelTopConstraint)
        m_textPlaceholderLabelTopInitialValue = m_outlets.textPlaceholderLabelTopConstraint->constant();
    if (m_outlets.patternPlaceholderLabelConstraint)
        m_patternPlaceholderLabelInitialValue = m_outlets.patternPlaceholderLabelConstraint->constant();
    if (m_outlets.highlightingLabelBox)
        m_highlightingLabelBoxInitialCornerRadius = m_outlets.highlightingLabelBox->cornerRadius();
    m_isLoaded = true;
    setMode(m_mode);
}

void ViewSizeController::setMode(ViewMode mode)
{
    m_mode = mode;
    if (!m_isLoaded)
        return;
    applySizes(mode == ViewMode::presentation ? 2.0 : 1.0);
    Q_EMIT sizesApplied(mode);
}

void ViewSizeController::applySizes(qreal scale)
{
    setLineMetrics(m_outlets.inputTextView, normalFontSize * scale, normalLineSpacing * scale);
    setLineMetrics(m_outlets.outputTextView, normalFontSize * scale, normalLineSpacing * scale);
    setMultiplier(scale);
    setFontSize(normalFontSize * scale);
    setSystemFontSize(normalSystemFontSize * scale);
    setMediumFontSize(normalMediumFontSize * scale);
    setMiniFontSize(normalMiniFontSize * scale);
}

void ViewSizeController::setLineMetrics(NSTextViewWithPlaceholder *view, qreal fontSize, qreal spacing)
{
    m_lineHeight = fontSize + 2 * spacing;
    m_lineSpacing = spacing;
    if (!view)
        return;
    view->setLineMetrics(m_lineHeight, m_lineSpacing);
    // The match painting belongs to the old metrics; the owner repaints after sizesApplied.
    view->withoutChangeReports([view] {
        for (QTextBlock block = view->document()->firstBlock(); block.isValid(); block = block.next())
            block.layout()->clearFormats();
    });
    view->viewport()->update();
}

void ViewSizeController::setMultiplier(qreal multiplier)
{
    // Scaled from the captured values only, and with the multiplier itself rather than a ratio read back from a
    // margin, which would be 0/0 for a margin that starts at 0.
    m_multiplier = multiplier;
    const std::array<LayoutConstraint *, 15> constraints = marginConstraints();
    for (size_t i = 0; i < constraints.size(); ++i) {
        if (constraints[i] && m_marginInitialValues[i])
            constraints[i]->setConstant(*m_marginInitialValues[i] * multiplier);
    }
    if (m_outlets.highlightingLabelBox && m_highlightingLabelBoxInitialCornerRadius)
        m_outlets.highlightingLabelBox->setCornerRadius(*m_highlightingLabelBoxInitialCornerRadius * multiplier);
    if (m_outlets.textPlaceholderLabelTopConstraint && m_textPlaceholderLabelTopInitialValue)
        m_outlets.textPlaceholderLabelTopConstraint->setConstant(*m_textPlaceholderLabelTopInitialValue * multiplier);
    if (m_outlets.patternPlaceholderLabelConstraint && m_patternPlaceholderLabelInitialValue)
        m_outlets.patternPlaceholderLabelConstraint->setConstant(*m_patternPlaceholderLabelInitialValue * multiplier);
}

QFont ViewSizeController::fixedPitchFont(qreal pointSize)
{
    static const bool hasMonaco = QFontDatabase::families().contains(QStringLiteral("Monaco"));
    QFont font = hasMonaco ? QFont(QStringLiteral("Monaco")) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(pointSize);
    return font;
}

QFont ViewSizeController::systemFont(qreal pointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(pointSize);
    return font;
}

QFont ViewSizeController::font() const
{
    return fixedPitchFont(m_fontSize);
}

void ViewSizeController::setFontSize(qreal size)
{
    m_fontSize = size;
    const QFont fixed = font();
    for (QWidget *widget :
         {static_cast<QWidget *>(m_outlets.inputTextView), static_cast<QWidget *>(m_outlets.outputTextView),
          static_cast<QWidget *>(m_outlets.textPlaceholderLabel),
          static_cast<QWidget *>(m_outlets.patternPlaceholderLabel)}) {
        if (widget)
            widget->setFont(fixed);
    }
}

void ViewSizeController::setSystemFontSize(qreal size)
{
    m_systemFontSize = size;
    if (m_outlets.noSelectedExpressionLabel)
        m_outlets.noSelectedExpressionLabel->setFont(systemFont(size));
}

void ViewSizeController::setMediumFontSize(qreal size)
{
    m_mediumFontSize = size;
    for (QLabel *label : {m_outlets.errorLabel, m_outlets.processingLabel}) {
        if (label)
            label->setFont(systemFont(size));
    }
}

void ViewSizeController::setMiniFontSize(qreal size)
{
    m_miniFontSize = size;
    if (m_outlets.highlightingLabel)
        m_outlets.highlightingLabel->setFont(systemFont(size));
}

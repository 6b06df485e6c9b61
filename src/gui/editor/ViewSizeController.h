#pragma once

#include "gui/editor/ViewMode.h"

#include <QFont>
#include <QObject>
#include <QPointer>

#include <array>
#include <optional>

class BoxView;
class LayoutConstraint;
class NSTextViewWithPlaceholder;
class QLabel;

// Switches the editor between its normal sizes and the doubled presentation sizes. Every scaled value is computed
// from the value captured at load, so switching back and forth never drifts.
class ViewSizeController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ViewSizeController)

public:
    struct Outlets
    {
        LayoutConstraint *patternTopMarginConstraint = nullptr;
        LayoutConstraint *patternRightMarginConstraint = nullptr;
        LayoutConstraint *patternBottomMarginConstraint = nullptr;
        LayoutConstraint *patternLeftMarginConstraint = nullptr;
        LayoutConstraint *textTopMarginConstraint = nullptr;
        LayoutConstraint *textRightMarginConstraint = nullptr;
        LayoutConstraint *textBottomMarginConstraint = nullptr;
        LayoutConstraint *textLeftMarginConstraint = nullptr;
        LayoutConstraint *highlightingBoxTopConstraint = nullptr;
        LayoutConstraint *highlightingBoxTrailingConstraint = nullptr;
        LayoutConstraint *highlightingBoxBottomConstraint = nullptr;
        LayoutConstraint *highlightingBoxLeadingConstraint = nullptr;
        LayoutConstraint *highlightingBoxBottomMarginConstraint = nullptr;
        LayoutConstraint *errorLabelBottomMarginConstraint = nullptr;
        LayoutConstraint *processingLabelBottomMarginConstraint = nullptr;
        QLabel *highlightingLabel = nullptr;
        QLabel *errorLabel = nullptr;
        QLabel *processingLabel = nullptr;
        QLabel *noSelectedExpressionLabel = nullptr;
        QLabel *patternPlaceholderLabel = nullptr;
        QLabel *textPlaceholderLabel = nullptr;
        BoxView *highlightingLabelBox = nullptr;
        LayoutConstraint *textPlaceholderLabelTopConstraint = nullptr;
        LayoutConstraint *patternPlaceholderLabelConstraint = nullptr;
        NSTextViewWithPlaceholder *inputTextView = nullptr;
        NSTextViewWithPlaceholder *outputTextView = nullptr;
    };

    static constexpr qreal normalFontSize = 13.0;
    static constexpr qreal normalSystemFontSize = 13.0;
    static constexpr qreal normalMediumFontSize = 12.0;
    static constexpr qreal normalMiniFontSize = 11.0;
    static constexpr qreal normalLineSpacing = 4.0;

    explicit ViewSizeController(QObject *parent = nullptr);
    ~ViewSizeController() override;

    // Every outlet is required.
    void setOutlets(const Outlets &outlets) { m_outlets = outlets; }
    const Outlets &outlets() const { return m_outlets; }
    // Captures the initial values, then applies the current mode.
    void awakeFromNib();
    bool isLoaded() const { return m_isLoaded; }

    ViewMode mode() const { return m_mode; }
    // Applies at once when loaded; before that the mode is only stored.
    void setMode(ViewMode mode);

    qreal fontSize() const { return m_fontSize; }
    void setFontSize(qreal size);
    qreal systemFontSize() const { return m_systemFontSize; }
    void setSystemFontSize(qreal size);
    qreal mediumFontSize() const { return m_mediumFontSize; }
    void setMediumFontSize(qreal size);
    qreal miniFontSize() const { return m_miniFontSize; }
    void setMiniFontSize(qreal size);
    qreal multiplier() const { return m_multiplier; }
    void setMultiplier(qreal multiplier);
    // Line height and spacing of the text views for the current sizes.
    qreal lineHeight() const { return m_lineHeight; }
    qreal lineSpacing() const { return m_lineSpacing; }

    // "Monaco" where installed, else the system's fixed-pitch font.
    QFont font() const;
    static QFont fixedPitchFont(qreal pointSize);
    static QFont systemFont(qreal pointSize);

Q_SIGNALS:
    // The views lost their colouring with the new metrics: the owner recolours the pattern and repaints matches.
    void sizesApplied(ViewMode mode);

private:
    void applySizes(qreal scale);
    void setLineMetrics(NSTextViewWithPlaceholder *view, qreal fontSize, qreal spacing);
    std::array<LayoutConstraint *, 15> marginConstraints() const;

    Outlets m_outlets;
    std::array<std::optional<qreal>, 15> m_marginInitialValues;
    std::optional<qreal> m_textPlaceholderLabelTopInitialValue;
    std::optional<qreal> m_patternPlaceholderLabelInitialValue;
    std::optional<qreal> m_highlightingLabelBoxInitialCornerRadius;
    bool m_isLoaded = false;
    ViewMode m_mode = ViewMode::normal;
    qreal m_fontSize = normalFontSize;
    qreal m_systemFontSize = normalSystemFontSize;
    qreal m_mediumFontSize = normalMediumFontSize;
    qreal m_miniFontSize = normalMiniFontSize;
    qreal m_multiplier = 1.0;
    qreal m_lineHeight = normalFontSize + 2 * normalLineSpacing;
    qreal m_lineSpacing = normalLineSpacing;
};

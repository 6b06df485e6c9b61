#include "gui/editor/ViewAppearanceController.h"

#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "gui/editor/OutputTextViewController.h"
#include "gui/editor/PatternTextView.h"
#include "gui/widgets/ApplicationPalette.h"
#include "gui/widgets/BoxView.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QLabel>

namespace {

void setLabelColor(QLabel *label, const Color &color)
{
    if (!label)
        return;
    QPalette colors = label->palette();
    colors.setColor(QPalette::WindowText, color.toQColor());
    label->setPalette(colors);
}

} // namespace

ViewAppearanceController::ViewAppearanceController(QObject *parent)
    : QObject(parent)
    , m_appearanceController(std::make_unique<AppearanceController>(this))
{
}

ViewAppearanceController::~ViewAppearanceController() = default;

void ViewAppearanceController::awakeFromNib()
{
    apply();
}

void ViewAppearanceController::appearanceDidChange(AppearanceController *, const Appearance &)
{
    apply();
}

void ViewAppearanceController::apply()
{
    const Outlets &o = m_outlets;
    const std::unique_ptr<Appearance> palette = m_appearanceController->appearance();
    if (o.visualEffectsView) {
        QPalette colors = o.visualEffectsView->palette();
        colors.setColor(QPalette::Window, ApplicationPalette::backgroundColor(*palette));
        o.visualEffectsView->setPalette(colors);
        o.visualEffectsView->setAutoFillBackground(true);
    }
    setLabelColor(o.highlightingLabel, palette->highlightingLabelColor());
    // The result reads like the group line beside it.
    setLabelColor(o.resultLabel, palette->highlightingLabelColor());
    if (o.highlightingLabelBox)
        o.highlightingLabelBox->setFillColor(palette->highlightingLabelBoxColor().toQColor());
    if (o.outputTextView)
        o.outputTextView->setTextColor(palette->outputTextColor().toQColor());
    if (o.patternTextView)
        o.patternTextView->setTextColor(palette->patternTextColor().toQColor());
    setLabelColor(o.errorLabel, palette->errorColor());
    setLabelColor(o.errorDetailLabel, palette->errorColor());
    setLabelColor(o.warningLabel, palette->warningColor());
    if (o.textBox)
        o.textBox->setFillColor(palette->textBoxColor().toQColor());
    setLabelColor(o.noSelectedExpressionLabel, palette->placeholderColor());
    setLabelColor(o.patternPlaceholderLabel, palette->placeholderColor());
    setLabelColor(o.textPlaceholderLabel, palette->placeholderColor());
    if (o.patternTextView) {
        o.patternTextView->updateColors();
        o.patternTextView->setSelectedTextBackgroundColor(palette->patternSelectionColor().toQColor());
        o.patternTextView->setSelectedTextForegroundColor(palette->patternSelectedTextColor().toQColor());
        o.patternTextView->setInsertionPointColor(palette->patternSelectionColor().toQColor());
    }
    if (o.outputTextViewController)
        o.outputTextViewController->setAppearance(*palette);
    if (o.outputTextView) {
        o.outputTextView->setSelectedTextBackgroundColor(palette->outputSelectionColor().toQColor());
        o.outputTextView->setSelectedTextForegroundColor(palette->outputSelectedTextColor().toQColor());
        o.outputTextView->setInsertionPointColor(palette->outputSelectionColor().toQColor());
    }
}

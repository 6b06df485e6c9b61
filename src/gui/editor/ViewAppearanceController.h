#pragma once

#include "core/settings/AppearanceControllerDelegate.h"

#include <QObject>
#include <QPointer>

#include <memory>

class AppearanceController;
class BoxView;
class NSTextViewWithPlaceholder;
class OutputTextViewController;
class PatternTextView;
class QLabel;
class QWidget;

// Colours the editor screen from the current palette, and again on every palette change. Views left unconnected are
// skipped. Also the editor's source of the current palette.
class ViewAppearanceController final : public QObject, public AppearanceControllerDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ViewAppearanceController)

public:
    struct Outlets
    {
        QPointer<QWidget> visualEffectsView;
        QPointer<QLabel> highlightingLabel;
        QPointer<BoxView> highlightingLabelBox;
        QPointer<QLabel> resultLabel;
        QPointer<QLabel> errorLabel;
        QPointer<QLabel> errorDetailLabel;
        QPointer<QLabel> warningLabel;
        QPointer<QLabel> noSelectedExpressionLabel;
        QPointer<QLabel> patternPlaceholderLabel;
        QPointer<QLabel> textPlaceholderLabel;
        QPointer<NSTextViewWithPlaceholder> outputTextView;
        QPointer<OutputTextViewController> outputTextViewController;
        QPointer<PatternTextView> patternTextView;
        QPointer<BoxView> textBox;
    };

    explicit ViewAppearanceController(QObject *parent = nullptr);
    ~ViewAppearanceController() override;

    void setOutlets(const Outlets &outlets) { m_outlets = outlets; }
    AppearanceController *appearanceController() const { return m_appearanceController.get(); }

    // Applies the palette once, after the outlets are connected.
    void awakeFromNib();
    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;

private:
    void apply();

    Outlets m_outlets;
    const std::unique_ptr<AppearanceController> m_appearanceController;
};

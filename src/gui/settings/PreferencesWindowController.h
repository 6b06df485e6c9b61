#pragma once

#include "core/settings/AppearanceControllerDelegate.h"

#include <QWidget>

#include <memory>

class AppearanceController;
class PreferencesViewController;

// The preferences window: one page of controls, following the palette.
class PreferencesWindowController final : public QWidget, public AppearanceControllerDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreferencesWindowController)

public:
    explicit PreferencesWindowController(QWidget *parent = nullptr);
    ~PreferencesWindowController() override;

    PreferencesViewController *viewController() const { return m_viewController; }
    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;

private:
    const std::unique_ptr<AppearanceController> m_appearanceController;
    PreferencesViewController *m_viewController;
};

#pragma once

#include "core/platform/SystemAppearance.h"

#include <QObject>

#include <memory>

class Appearance;
class AppearanceControllerDelegate;

// Chooses the current palette from "appearanceMode" (0 light, 1 dark, anything else the desktop's style) afresh on
// every read, and tells its delegate of every change of either input, even when the palette stays the same.
//
// Whoever colours something from the palette owns one, made with the owner itself as delegate where it follows
// changes, and reads appearance() whenever it paints.
class AppearanceController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppearanceController)

public:
    explicit AppearanceController(AppearanceControllerDelegate *delegate = nullptr, QObject *parent = nullptr);
    ~AppearanceController() override;

    std::unique_ptr<Appearance> appearance() const;
    static std::unique_ptr<Appearance> appearance(int appearanceMode, SystemAppearance systemAppearance);

    AppearanceControllerDelegate *delegate() const { return m_delegate; }
    void setDelegate(AppearanceControllerDelegate *delegate) { m_delegate = delegate; }

private:
    void notifyDelegate();

    AppearanceControllerDelegate *m_delegate = nullptr;
};

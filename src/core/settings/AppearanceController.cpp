#include "core/settings/AppearanceController.h"

#include "core/platform/SystemAppearanceMonitor.h"
#include "core/settings/AppearanceControllerDelegate.h"
#include "core/settings/DarkAppearance.h"
#include "core/settings/LightAppearance.h"
#include "core/settings/UserDefaults.h"

AppearanceController::AppearanceController(AppearanceControllerDelegate *delegate, QObject *parent)
    : QObject(parent)
    , m_delegate(delegate)
{
    const QString modeKey = keyString(UserDefaultsKey::appearanceMode);
    connect(
        &UserDefaults::standard(), &UserDefaults::valueChanged, this,
        [this, modeKey](const QString &key) {
            if (key == modeKey)
                notifyDelegate();
        },
        Qt::DirectConnection);
    connect(&SystemAppearanceMonitor::instance(), &SystemAppearanceMonitor::systemAppearanceChanged, this,
            &AppearanceController::notifyDelegate, Qt::DirectConnection);
}

AppearanceController::~AppearanceController() = default;

std::unique_ptr<Appearance> AppearanceController::appearance(int appearanceMode, SystemAppearance systemAppearance)
{
    switch (appearanceMode) {
    case 0:
        return std::make_unique<LightAppearance>();
    case 1:
        return std::make_unique<DarkAppearance>();
    default:
        if (systemAppearance == SystemAppearance::dark)
            return std::make_unique<DarkAppearance>();
        return std::make_unique<LightAppearance>();
    }
}

std::unique_ptr<Appearance> AppearanceController::appearance() const
{
    return appearance(UserDefaults::standard().integerValue(UserDefaultsKey::appearanceMode),
                      SystemAppearanceMonitor::instance().systemAppearance());
}

void AppearanceController::notifyDelegate()
{
    if (!m_delegate)
        return;
    const std::unique_ptr<Appearance> current = appearance();
    m_delegate->appearanceDidChange(this, *current);
}

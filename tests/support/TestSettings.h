#pragma once

#include "core/platform/SystemAppearanceMonitor.h"
#include "core/settings/UserDefaults.h"

// The registered settings and a light desktop, whatever an earlier test function left behind.
inline void resetSettingsToLightDefaults()
{
    UserDefaults::standard().clear();
    UserDefaults::standard().registerStandardDefaults();
    SystemAppearanceMonitor::instance().setOverride(SystemAppearance::light);
}

#pragma once

#include "core/platform/SystemAppearanceMonitor.h"
#include "core/settings/UserDefaults.h"

#include "UnexpectedWarnings.h"

// Called from init(): every test function starts from the registered settings and a light desktop, whatever an
// earlier one left behind, and fails on any warning it does not announce.
inline void startClean()
{
    failOnUnexpectedWarnings();
    UserDefaults::standard().clear();
    UserDefaults::standard().registerStandardDefaults();
    SystemAppearanceMonitor::instance().setOverride(SystemAppearance::light);
}

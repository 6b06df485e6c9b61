#pragma once

#include "core/settings/UserDefaults.h"
#include "gui/app/AppDelegate.h"

#include <QAction>
#include <QString>

// Launches the window with the library, the reference sheet and every panel beside the editor shown: what the walks
// over all controls and texts need.
inline void launchWithEveryPanel(AppDelegate &app)
{
    UserDefaults::standard().setValue(UserDefaultsKey::showLeftPanel, true);
    UserDefaults::standard().setValue(UserDefaultsKey::showRightPanel, true);
    app.applicationDidFinishLaunching();
    for (const char *panel :
         {"showMatchInspectorAction", "showSubstitutionPreviewAction", "showExplanationAction", "showTestsAction"}) {
        QAction *action = app.action(QString::fromLatin1(panel));
        if (!action->isChecked())
            action->trigger();
    }
}

#pragma once

#include "core/settings/UserDefaults.h"
#include "gui/app/AppDelegate.h"
#include "gui/app/MainWindowController.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QAction>
#include <QApplication>
#include <QString>
#include <QTest>

// Launches the window and waits until it is on the screen.
inline bool launched(AppDelegate &app)
{
    app.applicationDidFinishLaunching();
    return QTest::qWaitForWindowExposed(app.mainWindowController());
}

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

// One edit that replaces the whole text, reported as typing is.
inline void replaceText(NSTextViewWithPlaceholder *view, const QString &text)
{
    view->selectAll();
    view->textCursor().insertText(text);
}

// The widget of that name in whichever window holds it, such as the Preferences window.
template<typename Widget> Widget *findInWindows(const QString &name)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = window->findChild<Widget *>(name))
            return found;
    }
    return nullptr;
}

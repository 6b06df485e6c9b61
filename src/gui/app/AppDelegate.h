#pragma once

#include "core/evaluation/CodeSnippetBuilder.h"
#include "gui/app/FeedbackDialog.h"
#include "gui/app/MainWindowController.h"
#include "gui/settings/PreferencesWindowController.h"

#include <QObject>
#include <QPointer>

#include <memory>

class EditMenuController;
class ExpressionViewController;
class MainSplitViewController;
class QAction;
class QMenuBar;
class SingleInstanceLock;
class TerminationSignalNotifier;

// The application's commands and its windows. Every command finds the editor through the main window when it
// runs; nothing found once is kept.
class AppDelegate final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppDelegate)

public:
    // lock: the application's, held while the library is written; see LibraryStoreController.
    explicit AppDelegate(const QString &libraryFilePath = {}, SingleInstanceLock *lock = nullptr,
                         QObject *parent = nullptr);
    ~AppDelegate() override;

    MainWindowController *mainWindowController() const { return m_mainWindow; }
    MainSplitViewController *mainSplitViewController() const;
    ExpressionViewController *viewController() const;
    int activeGroup() const;
    void setActiveGroup(int group);

    // Shows the main window and tells the user once about a library that had to be recovered. From then on a
    // termination signal quits as the Quit command does, and the session manager's requests to save find the library
    // on disk.
    void applicationDidFinishLaunching();
    // Brings the main window forward, as for a later start of the application, and imports the files into the library.
    void openFiles(const QStringList &files);
    // Closes every window, which saves the library or asks before its unsaved changes are given up.
    void quit();

    void highlightNextGroup();
    void highlightPreviousGroup();
    void goToPattern();
    void goToText();
    void stopEvaluation();
    void copyEscaped();
    // The pattern and the matching switches as code for the language's ICU-based API.
    void copyAsCode(CodeSnippetBuilder::Language language);
    void pasteUnescaped();
    void copySubstitutionResult();
    void showReferenceSheet();
    void showOrHideReferenceSheet();
    void showOrHideLibrary();
    void showOrHideMatchInspector();
    void showOrHideSubstitutionPreview();
    void showPreferences();
    void showFeedbackDialog();
    void showAbout();

    // The menu's actions by object name, for tests and for the window's shortcuts.
    QAction *action(const QString &name) const;

private:
    // Every item of the menu bar is one row of its table.
    void buildMenus(QMenuBar *menuBar);
    void saveLibraryForSession();
    void reportFirstShowing();
    static void beep();

    QPointer<MainWindowController> m_mainWindow;
    EditMenuController *m_editMenu = nullptr;
    QPointer<PreferencesWindowController> m_preferences;
    QPointer<FeedbackDialog> m_feedback;
    std::unique_ptr<TerminationSignalNotifier> m_terminationSignals;
};

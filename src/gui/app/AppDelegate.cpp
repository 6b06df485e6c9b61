#include "gui/app/AppDelegate.h"

#include "core/evaluation/ActiveGroupController.h"
#include "core/library/LibraryStoreController.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/FeedbackDialog.h"
#include "gui/app/MainSplitViewController.h"
#include "gui/app/MainWindowController.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/editor/MatchInspectorViewController.h"
#include "gui/editor/SubstitutionViewController.h"
#include "gui/library/LibraryViewController.h"
#include "gui/settings/PreferencesWindowController.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QMessageBox>
#include <QWidget>

#include <unicode/uversion.h>

Q_LOGGING_CATEGORY(lcApplication, "quorvale.application")

namespace {

QKeySequence standardOr(QKeySequence::StandardKey key, const QKeySequence &fallback)
{
    const QKeySequence standard(key);
    return standard.isEmpty() ? fallback : standard;
}

} // namespace

AppDelegate::AppDelegate(const QString &libraryFilePath, QObject *parent)
    : QObject(parent)
    , m_mainWindow(new MainWindowController(libraryFilePath))
{
    m_mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    buildMenus(m_mainWindow->menuBar());
}

AppDelegate::~AppDelegate()
{
    delete m_preferences;
    delete m_feedback;
    delete m_mainWindow;
}

void AppDelegate::beep()
{
    QApplication::beep();
}

MainSplitViewController *AppDelegate::mainSplitViewController() const
{
    // Looked up afresh on every command: the active window may be another, or the main window may be gone.
    if (auto *active = qobject_cast<MainWindowController *>(QApplication::activeWindow()))
        return active->splitViewController();
    return m_mainWindow ? m_mainWindow->splitViewController() : nullptr;
}

ExpressionViewController *AppDelegate::viewController() const
{
    MainSplitViewController *split = mainSplitViewController();
    return split ? split->expressionViewController() : nullptr;
}

int AppDelegate::activeGroup() const
{
    ExpressionViewController *editor = viewController();
    return editor ? editor->activeGroupController()->activeGroup() : 0;
}

void AppDelegate::setActiveGroup(int group)
{
    if (ExpressionViewController *editor = viewController())
        editor->activeGroupController()->setActiveGroup(group);
}

void AppDelegate::applicationDidFinishLaunching()
{
    // Stand-ins for the crash and usage reporting of other platforms: a line in the log, nothing sent.
    qCInfo(lcApplication).noquote() << "launched" << FeedbackDialog::systemReport().simplified();
    qCInfo(lcApplication) << "unhandled-issue reporting: log only";
    m_mainWindow->show();
    const std::optional<LibraryRecovery> recovery
        = m_mainWindow->splitViewController()->libraryViewController()->libraryStoreController()->recovery();
    if (!recovery)
        return;
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Library Recovered"),
                                tr("Your library file could not be read in full."), QMessageBox::Ok, m_mainWindow);
    box->setObjectName(QStringLiteral("recoveryMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    //: %1 is a clause such as "it is not valid JSON (unterminated object at byte 72)"
    QStringList sentences {tr("The library file could not be read: %1.").arg(recovery->reason)};
    if (recovery->recoveredCount == 0)
        sentences << tr("No expressions could be recovered.");
    else if (recovery->recoveredCount == 1)
        sentences << tr("1 expression was recovered.");
    else
        sentences << tr("%n expressions were recovered.", nullptr, int(recovery->recoveredCount));
    if (recovery->keptCopyPath.isEmpty()) {
        sentences << tr("Its contents could not be copied aside, so Quorvale will not write to %1 until they are.")
                         .arg(QDir::toNativeSeparators(recovery->libraryFilePath));
    } else {
        sentences << tr("The file as it was has been kept unchanged in %1.")
                         .arg(QDir::toNativeSeparators(recovery->keptCopyPath));
    }
    box->setInformativeText(sentences.join(u' '));
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

void AppDelegate::highlightNextGroup()
{
    ExpressionViewController *editor = viewController();
    if (!editor || !editor->activeGroupController()->highlightNextGroup())
        beep();
}

void AppDelegate::highlightPreviousGroup()
{
    ExpressionViewController *editor = viewController();
    if (!editor || !editor->activeGroupController()->highlightPreviousGroup())
        beep();
}

void AppDelegate::goToPattern()
{
    if (ExpressionViewController *editor = viewController())
        editor->makePatternFirstResponder();
}

void AppDelegate::goToText()
{
    if (ExpressionViewController *editor = viewController())
        editor->makeTextFirstResponder();
}

void AppDelegate::stopEvaluation()
{
    ExpressionViewController *editor = viewController();
    if (!editor || !editor->stopEvaluation())
        beep();
}

void AppDelegate::copyEscaped()
{
    if (ExpressionViewController *editor = viewController())
        editor->copyEscaped();
}

void AppDelegate::pasteUnescaped()
{
    if (ExpressionViewController *editor = viewController())
        editor->pasteUnescaped();
}

void AppDelegate::copySubstitutionResult()
{
    ExpressionViewController *editor = viewController();
    if (!editor || !editor->copySubstitutionResult())
        beep();
}

// These go through the setting, so that the panel, its button and the next start agree.
void AppDelegate::showReferenceSheet()
{
    UserDefaults::standard().setValue(UserDefaultsKey::showRightPanel, true);
}

void AppDelegate::showOrHideReferenceSheet()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setValue(UserDefaultsKey::showRightPanel, !defaults.boolValue(UserDefaultsKey::showRightPanel));
}

void AppDelegate::showOrHideLibrary()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setValue(UserDefaultsKey::showLeftPanel, !defaults.boolValue(UserDefaultsKey::showLeftPanel));
}

void AppDelegate::showOrHideMatchInspector()
{
    UserDefaults &defaults = UserDefaults::standard();
    const QString key = MatchInspectorViewController::shownKey();
    defaults.setValue(key, !defaults.value(key).toBool());
}

void AppDelegate::showOrHideSubstitutionPreview()
{
    UserDefaults &defaults = UserDefaults::standard();
    const QString key = SubstitutionViewController::shownKey();
    defaults.setValue(key, !defaults.value(key).toBool());
}

void AppDelegate::showPreferences()
{
    if (!m_preferences)
        m_preferences = new PreferencesWindowController;
    m_preferences->show();
    m_preferences->raise();
    m_preferences->activateWindow();
}

void AppDelegate::showFeedbackDialog()
{
    qCInfo(lcApplication) << "feedback dialog opened";
    if (!m_feedback)
        m_feedback = new FeedbackDialog(m_mainWindow);
    m_feedback->show();
    m_feedback->raise();
}

void AppDelegate::showAbout()
{
    QMessageBox::about(m_mainWindow, tr("About Quorvale"),
                       tr("<h3>Quorvale %1</h3><p>A workbench for regular expressions: every match painted as you "
                          "type, the pattern coloured by role, capture groups one by one.</p><p>Matching by ICU "
                          "%2, interface by Qt %3.</p>")
                           .arg(QCoreApplication::applicationVersion(), QStringLiteral(U_ICU_VERSION_SHORT),
                                QString::fromLatin1(qVersion())));
}

QAction *AppDelegate::action(const QString &name) const
{
    return m_mainWindow ? m_mainWindow->findChild<QAction *>(name) : nullptr;
}

QAction *AppDelegate::addAction(QMenu *menu, const QString &name, const QString &text, const QKeySequence &shortcut,
                                void (AppDelegate::*command)())
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    if (command)
        connect(action, &QAction::triggered, this, command);
    return action;
}

void AppDelegate::forwardToFocusedText(const char *slot)
{
    if (QWidget *focus = QApplication::focusWidget())
        QMetaObject::invokeMethod(focus, slot);
}

void AppDelegate::buildMenus(QMenuBar *menuBar)
{
    LibraryViewController *library = m_mainWindow->splitViewController()->libraryViewController();

    QMenu *file = menuBar->addMenu(tr("&File"));
    connect(addAction(file, QStringLiteral("newExpressionAction"), tr("&New Expression"), QKeySequence::New, nullptr),
            &QAction::triggered, library, [this, library] {
                UserDefaults::standard().setValue(UserDefaultsKey::showLeftPanel, true);
                library->addExpression();
            });
    connect(addAction(file, QStringLiteral("deleteExpressionAction"), tr("&Delete Expression…"),
                      QKeySequence(Qt::CTRL | Qt::Key_Delete), nullptr),
            &QAction::triggered, library, &LibraryViewController::deleteSelectedExpression);
    file->addSeparator();
    QAction *preferences = addAction(file, QStringLiteral("preferencesAction"), tr("&Preferences…"),
                                     standardOr(QKeySequence::Preferences, QKeySequence(Qt::CTRL | Qt::Key_Comma)),
                                     &AppDelegate::showPreferences);
    preferences->setMenuRole(QAction::PreferencesRole);
    file->addSeparator();
    QAction *quit = addAction(file, QStringLiteral("quitAction"), tr("&Quit"),
                              standardOr(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)), nullptr);
    connect(quit, &QAction::triggered, qApp, &QApplication::closeAllWindows);

    QMenu *edit = menuBar->addMenu(tr("&Edit"));
    const struct
    {
        const char *name;
        QString text;
        QKeySequence::StandardKey key;
        const char *slot;
    } standardEdits[] = {
        {"undoAction", tr("&Undo"), QKeySequence::Undo, "undo"},
        {"redoAction", tr("&Redo"), QKeySequence::Redo, "redo"},
        {nullptr, {}, QKeySequence::UnknownKey, nullptr},
        {"cutAction", tr("Cu&t"), QKeySequence::Cut, "cut"},
        {"copyAction", tr("&Copy"), QKeySequence::Copy, "copy"},
        {"pasteAction", tr("&Paste"), QKeySequence::Paste, "paste"},
        {"selectAllAction", tr("Select &All"), QKeySequence::SelectAll, "selectAll"},
    };
    for (const auto &entry : standardEdits) {
        if (!entry.name) {
            edit->addSeparator();
            continue;
        }
        QAction *action = addAction(edit, QString::fromLatin1(entry.name), entry.text, entry.key, nullptr);
        const char *slot = entry.slot;
        connect(action, &QAction::triggered, this, [this, slot] { forwardToFocusedText(slot); });
    }
    edit->addSeparator();
    //: Copies the pattern with every backslash doubled, for source code
    addAction(edit, QStringLiteral("copyEscapedAction"), tr("Copy &Escaped Pattern"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &AppDelegate::copyEscaped);
    //: Pastes a pattern from source code with doubled backslashes halved
    addAction(edit, QStringLiteral("pasteUnescapedAction"), tr("Paste &Unescaped Pattern"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), &AppDelegate::pasteUnescaped);
    //: Copies the sample text with every match replaced, as the substitution preview shows it
    addAction(edit, QStringLiteral("copySubstitutionResultAction"), tr("Copy Su&bstitution Result"),
              QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C), &AppDelegate::copySubstitutionResult);

    QMenu *view = menuBar->addMenu(tr("&View"));
    addAction(view, QStringLiteral("nextGroupAction"), tr("&Next Group"), QKeySequence(Qt::CTRL | Qt::Key_BracketRight),
              &AppDelegate::highlightNextGroup);
    addAction(view, QStringLiteral("previousGroupAction"), tr("&Previous Group"),
              QKeySequence(Qt::CTRL | Qt::Key_BracketLeft), &AppDelegate::highlightPreviousGroup);
    view->addSeparator();
    addAction(view, QStringLiteral("goToPatternAction"), tr("Go to P&attern"), QKeySequence(Qt::CTRL | Qt::Key_1),
              &AppDelegate::goToPattern);
    addAction(view, QStringLiteral("goToTextAction"), tr("Go to Sample &Text"), QKeySequence(Qt::CTRL | Qt::Key_2),
              &AppDelegate::goToText);
    view->addSeparator();
    // Not Esc: the window's shortcut would take it from the dialogs and editors that use it; the editor's text
    // views take Esc themselves.
    addAction(view, QStringLiteral("stopEvaluationAction"), tr("&Stop Evaluation"),
              QKeySequence(Qt::CTRL | Qt::Key_Period), &AppDelegate::stopEvaluation);
    view->addSeparator();
    QAction *showLibrary = addAction(view, QStringLiteral("showLibraryAction"), tr("Show &Library"),
                                     QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_L), &AppDelegate::showOrHideLibrary);
    QAction *showReference
        = addAction(view, QStringLiteral("showReferenceAction"), tr("Show &Reference"),
                    QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R), &AppDelegate::showOrHideReferenceSheet);
    QAction *showInspector
        = addAction(view, QStringLiteral("showMatchInspectorAction"), tr("Show Match &Inspector"),
                    QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_I), &AppDelegate::showOrHideMatchInspector);
    QAction *showSubstitution
        = addAction(view, QStringLiteral("showSubstitutionPreviewAction"), tr("Show &Substitution Preview"),
                    QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P), &AppDelegate::showOrHideSubstitutionPreview);
    for (QAction *toggle : {showLibrary, showReference, showInspector, showSubstitution})
        toggle->setCheckable(true);
    const auto syncPanelActions = [showLibrary, showReference, showInspector, showSubstitution] {
        const UserDefaults &defaults = UserDefaults::standard();
        showLibrary->setChecked(defaults.boolValue(UserDefaultsKey::showLeftPanel));
        showReference->setChecked(defaults.boolValue(UserDefaultsKey::showRightPanel));
        showInspector->setChecked(defaults.value(MatchInspectorViewController::shownKey()).toBool());
        showSubstitution->setChecked(defaults.value(SubstitutionViewController::shownKey()).toBool());
    };
    syncPanelActions();
    connect(&UserDefaults::standard(), &UserDefaults::valueChanged, showLibrary, syncPanelActions);
    view->addSeparator();
    QAction *fullScreen = addAction(view, QStringLiteral("fullScreenAction"), tr("&Full Screen"),
                                    standardOr(QKeySequence::FullScreen, QKeySequence(Qt::Key_F11)), nullptr);
    connect(fullScreen, &QAction::triggered, m_mainWindow, &MainWindowController::toggleFullScreen);

    QMenu *help = menuBar->addMenu(tr("&Help"));
    addAction(help, QStringLiteral("referenceSheetAction"), tr("Regular Expression &Reference"),
              standardOr(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)), &AppDelegate::showReferenceSheet);
    addAction(help, QStringLiteral("feedbackAction"), tr("Send &Feedback…"), QKeySequence(),
              &AppDelegate::showFeedbackDialog);
    help->addSeparator();
    QAction *about = addAction(help, QStringLiteral("aboutAction"), tr("&About Quorvale"), QKeySequence(),
                               &AppDelegate::showAbout);
    about->setMenuRole(QAction::AboutRole);
}

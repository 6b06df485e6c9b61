#include "gui/app/AppDelegate.h"

#include "core/evaluation/ActiveGroupController.h"
#include "core/evaluation/MatchEvaluation.h"
#include "core/evaluation/MatchingSwitches.h"
#include "core/library/LibraryStoreController.h"
#include "core/platform/TerminationSignalNotifier.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/EditMenuController.h"
#include "gui/app/FeedbackDialog.h"
#include "gui/app/MainSplitViewController.h"
#include "gui/app/MainWindowController.h"
#include "gui/editor/ExpressionTestsViewController.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/editor/MatchInspectorViewController.h"
#include "gui/editor/PatternExplanationViewController.h"
#include "gui/editor/PatternTextView.h"
#include "gui/editor/SubstitutionViewController.h"
#include "gui/library/LibraryViewController.h"
#include "gui/settings/PreferencesWindowController.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaEnum>
#include <QSessionManager>
#include <QWidget>

#include <functional>

#include <unicode/uversion.h>

Q_LOGGING_CATEGORY(lcApplication, "quorvale.application")

namespace {

void toggleSetting(const QString &key)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setValue(key, !defaults.value(key).toBool());
}

QKeySequence standardOr(QKeySequence::StandardKey key, const QKeySequence &fallback)
{
    const QKeySequence standard(key);
    return standard.isEmpty() ? fallback : standard;
}

// One item of the menu bar; one made from its menu alone is a separator.
struct MenuItem
{
    using Handler = std::function<void()>;

    MenuItem(QMenu *menu)
        : menu(menu)
    {
    }
    // checkedBy: the setting the item's check mark shows, for an item that turns a setting on and off.
    MenuItem(QMenu *menu, const char *name, const QString &text, const QKeySequence &shortcut, Handler handler,
             const QString &checkedBy = QString(), QAction::MenuRole role = QAction::TextHeuristicRole)
        : menu(menu)
        , name(name)
        , text(text)
        , shortcut(shortcut)
        , handler(std::move(handler))
        , checkedBy(checkedBy)
        , role(role)
    {
    }

    QMenu *menu = nullptr;
    const char *name = nullptr;
    QString text;
    QKeySequence shortcut;
    Handler handler;
    QString checkedBy;
    QAction::MenuRole role = QAction::TextHeuristicRole;
};

// The handler runs while context lives; the actions go with the main window, and with them every handler and what
// it refers to.
void addMenuItem(QObject *context, const MenuItem &item)
{
    if (!item.name) {
        item.menu->addSeparator();
        return;
    }
    QAction *action = item.menu->addAction(item.text);
    action->setObjectName(QString::fromLatin1(item.name));
    action->setShortcut(item.shortcut);
    action->setMenuRole(item.role);
    QObject::connect(action, &QAction::triggered, context, item.handler);
    if (item.checkedBy.isEmpty())
        return;
    action->setCheckable(true);
    const auto showSetting
        = [action, key = item.checkedBy] { action->setChecked(UserDefaults::standard().value(key).toBool()); };
    showSetting();
    QObject::connect(&UserDefaults::standard(), &UserDefaults::valueChanged, action, showSetting);
}

// For whoever measures the start: logs the first frame of the window, then the first one with the whole sample text.
class StartReporter final : public QObject
{
public:
    explicit StartReporter(MainWindowController *window)
        : QObject(window)
        , m_window(window)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || event->type() != QEvent::Paint)
            return false;
        m_window->removeEventFilter(this);
        qCInfo(lcApplication) << "window shown";
        NSTextViewWithPlaceholder *sample
            = m_window->splitViewController()->expressionViewController()->outputTextView();
        connect(sample, &NSTextViewWithPlaceholder::visibleBlocksChanged, this, [this, sample] {
            if (!sample->isLoading())
                reportText();
        });
        if (!sample->isLoading())
            reportText();
        return false;
    }

private:
    void reportText()
    {
        if (std::exchange(m_reported, true))
            return;
        qCInfo(lcApplication) << "sample text shown";
        deleteLater();
    }

    MainWindowController *m_window;
    bool m_reported = false;
};

} // namespace

AppDelegate::AppDelegate(const QString &libraryFilePath, SingleInstanceLock *lock, QObject *parent)
    : QObject(parent)
    , m_mainWindow(new MainWindowController(libraryFilePath, lock))
    , m_editMenu(new EditMenuController(this))
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
    m_terminationSignals = std::make_unique<TerminationSignalNotifier>();
    connect(m_terminationSignals.get(), &TerminationSignalNotifier::terminationRequested, this,
            [this](int signalNumber) {
                qCInfo(lcApplication) << "quitting on signal" << signalNumber;
                quit();
            });
    connect(qApp, &QGuiApplication::commitDataRequest, this, &AppDelegate::saveLibraryForSession);
    connect(qApp, &QGuiApplication::saveStateRequest, this, &AppDelegate::saveLibraryForSession);
    reportFirstShowing();
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
    else
        sentences << tr("%Ln expression(s) was/were recovered.", nullptr, int(recovery->recoveredCount));
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

void AppDelegate::reportFirstShowing()
{
    m_mainWindow->installEventFilter(new StartReporter(m_mainWindow));
}

void AppDelegate::openFiles(const QStringList &files)
{
    if (!m_mainWindow)
        return;
    if (m_mainWindow->isMinimized())
        m_mainWindow->showNormal();
    m_mainWindow->show();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
    LibraryViewController *library = m_mainWindow->splitViewController()->libraryViewController();
    for (const QString &file : files)
        library->importExpressions(file);
}

void AppDelegate::quit()
{
    QApplication::closeAllWindows();
}

// The session may end the process soon after asking: every edit must be on disk by then. It does not quit; the session
// asks for that on its own.
void AppDelegate::saveLibraryForSession()
{
    if (!m_mainWindow)
        return;
    LibraryStoreController *library
        = m_mainWindow->splitViewController()->libraryViewController()->libraryStoreController();
    library->finishSaves();
    if (library->saveFailure() && library->isEdited())
        library->saveNow();
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

void AppDelegate::copyAsCode(CodeSnippetBuilder::Language language)
{
    if (ExpressionViewController *editor = viewController())
        QApplication::clipboard()->setText(CodeSnippetBuilder::snippet(language, editor->inputTextView()->text(),
                                                                       editor->matchEvaluation()->options()));
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

void AppDelegate::buildMenus(QMenuBar *menuBar)
{
    LibraryViewController *library = m_mainWindow->splitViewController()->libraryViewController();
    QMenu *file = menuBar->addMenu(tr("&File"));
    QMenu *edit = menuBar->addMenu(tr("&Edit"));
    QMenu *matching = menuBar->addMenu(tr("&Matching"));
    QMenu *view = menuBar->addMenu(tr("&View"));
    QMenu *help = menuBar->addMenu(tr("&Help"));
    const auto call = [this](void (AppDelegate::*command)()) -> MenuItem::Handler {
        return [this, command] { (this->*command)(); };
    };
    using EditCommand = EditMenuController::Command;
    const auto editCommand = [this](EditCommand command) -> MenuItem::Handler {
        return [this, command] { m_editMenu->perform(command); };
    };
    const QString showLeftPanel = keyString(UserDefaultsKey::showLeftPanel);
    const QString showRightPanel = keyString(UserDefaultsKey::showRightPanel);

    const MenuItem items[] = {
        {file, "newExpressionAction", tr("&New Expression"), QKeySequence::New,
         [library] {
             UserDefaults::standard().setValue(UserDefaultsKey::showLeftPanel, true);
             library->addExpression();
         }},
        {file, "deleteExpressionAction", tr("&Delete Expression…"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
         [library] { library->deleteSelectedExpression(); }},
        {file},
        {file, "importExpressionsAction", tr("&Import Expressions…"), QKeySequence(),
         [library] { library->chooseFileToImport(); }},
        {file, "exportExpressionsAction", tr("&Export Selected Expressions…"), QKeySequence(),
         [library] { library->chooseFileToExport(); }},
        {file},
        {file, "preferencesAction", tr("&Preferences…"),
         standardOr(QKeySequence::Preferences, QKeySequence(Qt::CTRL | Qt::Key_Comma)),
         call(&AppDelegate::showPreferences), QString(), QAction::PreferencesRole},
        {file},
        {file, "quitAction", tr("&Quit"), standardOr(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)),
         call(&AppDelegate::quit)},

        {edit, "undoAction", tr("&Undo"), QKeySequence::Undo, editCommand(EditCommand::undo)},
        {edit, "redoAction", tr("&Redo"), QKeySequence::Redo, editCommand(EditCommand::redo)},
        {edit},
        {edit, "cutAction", tr("Cu&t"), QKeySequence::Cut, editCommand(EditCommand::cut)},
        {edit, "copyAction", tr("&Copy"), QKeySequence::Copy, editCommand(EditCommand::copy)},
        {edit, "pasteAction", tr("&Paste"), QKeySequence::Paste, editCommand(EditCommand::paste)},
        {edit, "selectAllAction", tr("Select &All"), QKeySequence::SelectAll, editCommand(EditCommand::selectAll)},
        {edit},
        //: Copies the pattern with every backslash doubled, for source code
        {edit, "copyEscapedAction", tr("Copy &Escaped Pattern"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
         call(&AppDelegate::copyEscaped)},
        //: Pastes a pattern from source code with doubled backslashes halved
        {edit, "pasteUnescapedAction", tr("Paste &Unescaped Pattern"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V),
         call(&AppDelegate::pasteUnescaped)},
        //: Copies the sample text with every match replaced, as the substitution preview shows it
        {edit, "copySubstitutionResultAction", tr("Copy Su&bstitution Result"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C), call(&AppDelegate::copySubstitutionResult)},

        {view, "nextGroupAction", tr("&Next Group"), QKeySequence(Qt::CTRL | Qt::Key_BracketRight),
         call(&AppDelegate::highlightNextGroup)},
        {view, "previousGroupAction", tr("&Previous Group"), QKeySequence(Qt::CTRL | Qt::Key_BracketLeft),
         call(&AppDelegate::highlightPreviousGroup)},
        {view},
        {view, "goToPatternAction", tr("Go to P&attern"), QKeySequence(Qt::CTRL | Qt::Key_1),
         call(&AppDelegate::goToPattern)},
        {view, "goToTextAction", tr("Go to Sample &Text"), QKeySequence(Qt::CTRL | Qt::Key_2),
         call(&AppDelegate::goToText)},
        {view},
        // Not Esc: the window's shortcut would take it from the dialogs and editors that use it; the editor's text
        // views take Esc themselves.
        {view, "stopEvaluationAction", tr("&Stop Evaluation"), QKeySequence(Qt::CTRL | Qt::Key_Period),
         call(&AppDelegate::stopEvaluation)},
        {view},
        {view, "showLibraryAction", tr("Show &Library"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_L),
         call(&AppDelegate::showOrHideLibrary), showLeftPanel},
        // From anywhere in the window, as a search field is: the text views have no search of their own.
        //: Shows the library and puts the focus in the field that narrows its list
        {view, "filterLibraryAction", tr("&Filter Library"),
         standardOr(QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)),
         [library] {
             UserDefaults::standard().setValue(UserDefaultsKey::showLeftPanel, true);
             library->focusFilter();
         }},
        {view, "showReferenceAction", tr("Show &Reference"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R),
         call(&AppDelegate::showOrHideReferenceSheet), showRightPanel},
        {view, "showMatchInspectorAction", tr("Show Match &Inspector"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_I),
         call(&AppDelegate::showOrHideMatchInspector), MatchInspectorViewController::shownKey()},
        {view, "showSubstitutionPreviewAction", tr("Show &Substitution Preview"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P), call(&AppDelegate::showOrHideSubstitutionPreview),
         SubstitutionViewController::shownKey()},
        //: Shows or hides the panel that explains the pattern element by element
        {view, "showExplanationAction", tr("Show E&xplanation"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E),
         [] { toggleSetting(PatternExplanationViewController::shownKey()); },
         PatternExplanationViewController::shownKey()},
        //: Shows or hides the panel that runs the tests kept with the expression
        {view, "showTestsAction", tr("Show T&ests"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T),
         [] { toggleSetting(ExpressionTestsViewController::shownKey()); }, ExpressionTestsViewController::shownKey()},
        {view},
        {view, "fullScreenAction", tr("&Full Screen"), standardOr(QKeySequence::FullScreen, QKeySequence(Qt::Key_F11)),
         [this] { m_mainWindow->toggleFullScreen(); }},

        {help, "referenceSheetAction", tr("Regular Expression &Reference"),
         standardOr(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)), call(&AppDelegate::showReferenceSheet)},
        {help, "feedbackAction", tr("Send &Feedback…"), QKeySequence(), call(&AppDelegate::showFeedbackDialog)},
        {help},
        {help, "aboutAction", tr("&About Quorvale"), QKeySequence(), call(&AppDelegate::showAbout), QString(),
         QAction::AboutRole},
    };
    for (const MenuItem &item : items)
        addMenuItem(this, item);
    for (const auto &[name, command] :
         {std::pair("undoAction", EditCommand::undo), std::pair("redoAction", EditCommand::redo),
          std::pair("cutAction", EditCommand::cut), std::pair("copyAction", EditCommand::copy),
          std::pair("pasteAction", EditCommand::paste), std::pair("selectAllAction", EditCommand::selectAll)})
        m_editMenu->setAction(command, action(QString::fromLatin1(name)));
    //: Submenu: copies the pattern with the matching switches as code for another language's API
    auto *codeMenu = new QMenu(tr("Copy as Co&de"), edit);
    codeMenu->setObjectName(QStringLiteral("copyAsCodeMenu"));
    edit->insertMenu(action(QStringLiteral("pasteUnescapedAction")), codeMenu);
    for (const CodeSnippetBuilder::Language language : CodeSnippetBuilder::languages()) {
        QAction *item = codeMenu->addAction(CodeSnippetBuilder::name(language));
        QString key
            = QString::fromLatin1(QMetaEnum::fromType<CodeSnippetBuilder::Language>().valueToKey(int(language)));
        key[0] = key[0].toUpper();
        item->setObjectName(QStringLiteral("copyAs%1Action").arg(key));
        connect(item, &QAction::triggered, this, [this, language] { copyAsCode(language); });
    }
    // Its items check and write the same settings as the Preferences and the buttons above the pattern.
    for (const MatchingSwitches::Switch &matchingSwitch : MatchingSwitches::all()) {
        const QString key = keyString(matchingSwitch.key);
        const auto toggle = [key] {
            UserDefaults &defaults = UserDefaults::standard();
            defaults.setValue(key, !defaults.value(key).toBool());
        };
        addMenuItem(
            this, {matching, matchingSwitch.actionName, matchingSwitch.menuText, matchingSwitch.shortcut, toggle, key});
    }
}

#include "gui/app/MainWindowController.h"

#include "core/library/LibraryStoreController.h"
#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/MainSplitViewController.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/library/LibrarySaveNotice.h"
#include "gui/library/LibraryViewController.h"
#include "gui/widgets/ApplicationPalette.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QString geometryKey = QStringLiteral("mainWindowGeometry");
const QString panelsKey = QStringLiteral("mainWindowPanels");

QStringList libraryFiles(const QMimeData *data)
{
    QStringList paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile() && url.path().endsWith(u".json", Qt::CaseInsensitive))
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace

MainWindowController::MainWindowController(const QString &libraryFilePath, SingleInstanceLock *lock, QWidget *parent)
    : QMainWindow(parent)
    , m_appearanceController(std::make_unique<AppearanceController>(this))
    , m_splitViewController(new MainSplitViewController(libraryFilePath, lock, this))
    , m_alertPresenter([](QMessageBox *alert) { alert->open(); })
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Quorvale"));
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("mainContent"));
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_saveNotice = new LibrarySaveNotice(libraryStoreController(), content);
    layout->addWidget(m_saveNotice);
    layout->addWidget(m_splitViewController, 1);
    setCentralWidget(content);
    setAcceptDrops(true);
    applyAppearance(*m_appearanceController->appearance());
    restoreWindowState();
}

MainWindowController::~MainWindowController() = default;

ExpressionViewController *MainWindowController::mainViewController() const
{
    return m_splitViewController->expressionViewController();
}

void MainWindowController::appearanceDidChange(AppearanceController *, const Appearance &appearance)
{
    applyAppearance(appearance);
}

void MainWindowController::applyAppearance(const Appearance &appearance)
{
    // The whole application, so that menus, dialogs and scroll bars go dark with the window.
    ApplicationPalette::apply(appearance);
    setPalette(ApplicationPalette::palette(appearance));
}

void MainWindowController::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void MainWindowController::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const ViewMode mode = isFullScreen() ? ViewMode::presentation : ViewMode::normal;
    if (mode == m_mode)
        return;
    m_mode = mode;
    mainViewController()->setViewMode(mode);
}

void MainWindowController::dragEnterEvent(QDragEnterEvent *event)
{
    if (!libraryFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindowController::dropEvent(QDropEvent *event)
{
    const QStringList paths = libraryFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    for (const QString &path : paths)
        m_splitViewController->libraryViewController()->importExpressions(path);
}

void MainWindowController::setAlertPresenter(AlertPresenter presenter)
{
    m_alertPresenter = std::move(presenter);
}

LibraryStoreController *MainWindowController::libraryStoreController() const
{
    return m_splitViewController->libraryViewController()->libraryStoreController();
}

// Quitting by any road, the menu, the shortcut, the window's close button or the application's quit, comes here.
void MainWindowController::closeEvent(QCloseEvent *event)
{
    if (!m_discardConfirmed && !libraryIsSaved()) {
        event->ignore();
        askBeforeDiscardingLibrary();
        return;
    }
    saveWindowState();
    QMainWindow::closeEvent(event);
}

bool MainWindowController::libraryIsSaved()
{
    LibraryStoreController *library = libraryStoreController();
    // The edit typed just before quitting may be the one whose save fails.
    library->finishSaves();
    // Nothing is lost by a library that could not be saved from the start but was only read. Otherwise one more try:
    // when the cause has gone meanwhile there is nothing to ask.
    return !library->saveFailure() || !library->isEdited() || library->saveNow();
}

void MainWindowController::askBeforeDiscardingLibrary()
{
    if (m_discardQuestion)
        return;
    const LibrarySaveFailure failure = libraryStoreController()->saveFailure().value();
    auto *question = new QMessageBox(this);
    m_discardQuestion = question;
    question->setObjectName(QStringLiteral("discardLibraryQuestion"));
    question->setAttribute(Qt::WA_DeleteOnClose);
    question->setWindowModality(Qt::WindowModal);
    question->setIcon(QMessageBox::Warning);
    //: Asked on quitting while the library cannot be saved
    question->setText(tr("Quit without saving your library?"));
    //: %1 is the library file, %2 the system's reason
    question->setInformativeText(tr("Your library could not be saved to %1 (%2). If you quit now, the changes since "
                                    "it was last saved are lost.")
                                     .arg(QDir::toNativeSeparators(failure.filePath), failure.reason));
    //: Saves the library to another file, then quits
    QPushButton *saveCopy = question->addButton(tr("Save a Copy…"), QMessageBox::AcceptRole);
    QPushButton *discard = question->addButton(tr("Quit Without Saving"), QMessageBox::DestructiveRole);
    QPushButton *cancel = question->addButton(tr("Cancel"), QMessageBox::RejectRole);
    question->setDefaultButton(cancel);
    question->setEscapeButton(cancel);
    connect(question, &QMessageBox::buttonClicked, this, [this, saveCopy, discard](QAbstractButton *button) {
        if (button != discard && !(button == saveCopy && m_saveNotice->saveCopy()))
            return;
        m_discardConfirmed = true;
        close();
    });
    m_alertPresenter(question);
}

void MainWindowController::restoreWindowState()
{
    UserDefaults &defaults = UserDefaults::standard();
    m_splitViewController->restoreState(defaults.value(panelsKey).toByteArray());
    const QByteArray geometry = defaults.value(geometryKey).toByteArray();
    if (!geometry.isEmpty() && restoreGeometry(geometry))
        return;
    // A first start: a comfortable size that fits the screen, with room for the panels the settings show.
    QSize size(900, 640);
    if (defaults.boolValue(UserDefaultsKey::showLeftPanel))
        size.rwidth() += 240;
    if (defaults.boolValue(UserDefaultsKey::showRightPanel))
        size.rwidth() += 320;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
}

void MainWindowController::saveWindowState()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setValue(geometryKey, saveGeometry());
    defaults.setValue(panelsKey, m_splitViewController->saveState());
    defaults.synchronize();
}

#include "app/MainWindowController.h"

#include "app/ExpressionViewController.h"
#include "app/MainSplitViewController.h"
#include "settings/Appearance.h"
#include "settings/AppearanceController.h"
#include "settings/ApplicationPalette.h"
#include "settings/UserDefaults.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace {

const QString geometryKey = QStringLiteral("mainWindowGeometry");
const QString panelsKey = QStringLiteral("mainWindowPanels");

} // namespace

MainWindowController::MainWindowController(const QString &libraryFilePath, QWidget *parent)
    : QMainWindow(parent)
    , m_appearanceController(std::make_unique<AppearanceController>())
    , m_splitViewController(new MainSplitViewController(libraryFilePath, this))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Quorvale"));
    setCentralWidget(m_splitViewController);
    m_appearanceController->setDelegate(this);
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

void MainWindowController::closeEvent(QCloseEvent *event)
{
    saveWindowState();
    QMainWindow::closeEvent(event);
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

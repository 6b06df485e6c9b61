#pragma once

#include "settings/AppearanceControllerDelegate.h"
#include "settings/ViewMode.h"

#include <QMainWindow>

#include <memory>

class AppearanceController;
class ExpressionViewController;
class MainSplitViewController;

// The main window: follows the palette, switches the editor to the presentation sizes exactly while it is full
// screen, and keeps its size, position and panel widths for the next start.
class MainWindowController final : public QMainWindow, public AppearanceControllerDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindowController)

public:
    explicit MainWindowController(const QString &libraryFilePath = {}, QWidget *parent = nullptr);
    ~MainWindowController() override;

    MainSplitViewController *splitViewController() const { return m_splitViewController; }
    ExpressionViewController *mainViewController() const;
    ViewMode mode() const { return m_mode; }
    QString filename() const { return m_filename; }

    void toggleFullScreen();
    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void applyAppearance(const Appearance &appearance);
    void restoreWindowState();
    void saveWindowState();

    std::unique_ptr<AppearanceController> m_appearanceController;
    MainSplitViewController *m_splitViewController;
    ViewMode m_mode = ViewMode::normal;
    QString m_filename;
};

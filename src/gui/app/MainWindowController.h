#pragma once

#include "core/settings/AppearanceControllerDelegate.h"
#include "gui/editor/ViewMode.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class AppearanceController;
class ExpressionViewController;
class LibrarySaveNotice;
class LibraryStoreController;
class MainSplitViewController;
class QMessageBox;
class SingleInstanceLock;

// The main window: follows the palette, switches the editor to the presentation sizes exactly while it is full
// screen, and keeps its size, position and panel widths for the next start. While the library cannot be saved it
// says so above the panels, and closing asks before the unsaved changes are given up.
class MainWindowController final : public QMainWindow, public AppearanceControllerDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindowController)

public:
    explicit MainWindowController(const QString &libraryFilePath = {}, SingleInstanceLock *lock = nullptr,
                                  QWidget *parent = nullptr);
    ~MainWindowController() override;

    MainSplitViewController *splitViewController() const { return m_splitViewController; }
    ExpressionViewController *mainViewController() const;
    ViewMode mode() const { return m_mode; }
    QString filename() const { return m_filename; }
    LibrarySaveNotice *saveNotice() const { return m_saveNotice; }

    // Shows the question asked before closing with an unsaved library; the default opens it window-modal. Tests
    // answer it instead, by clicking one of its buttons.
    using AlertPresenter = std::function<void(QMessageBox *alert)>;
    void setAlertPresenter(AlertPresenter presenter);

    void toggleFullScreen();
    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // A library file dropped anywhere on the window is imported.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void applyAppearance(const Appearance &appearance);
    void restoreWindowState();
    void saveWindowState();
    LibraryStoreController *libraryStoreController() const;
    bool libraryIsSaved();
    void askBeforeDiscardingLibrary();

    const std::unique_ptr<AppearanceController> m_appearanceController;
    MainSplitViewController *m_splitViewController;
    LibrarySaveNotice *m_saveNotice = nullptr;
    AlertPresenter m_alertPresenter;
    QPointer<QMessageBox> m_discardQuestion;
    bool m_discardConfirmed = false;
    ViewMode m_mode = ViewMode::normal;
    QString m_filename;
};

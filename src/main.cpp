#include "app/ExpressionViewController.h"
#include "library/LibraryStoreController.h"
#include "settings/Appearance.h"
#include "settings/AppearanceController.h"
#include "settings/ApplicationPalette.h"
#include "settings/UserDefaults.h"

#include <QApplication>
#include <QMainWindow>
#include <QThreadPool>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QApplication::setApplicationName(QStringLiteral("Quorvale"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.quorvale.Quorvale"));
    // Before anything reads a setting, so that the first window is built with the registered values.
    UserDefaults::standard().registerStandardDefaults();
    // A stop request waits on a worker while the run it stops finishes on another; keep room for the next run.
    QThreadPool::globalInstance()->setMaxThreadCount(qMax(4, QThread::idealThreadCount()));

    AppearanceController appearance;
    ApplicationPalette::apply(*appearance.appearance());

    LibraryStoreController library;
    QMainWindow window;
    window.setObjectName(QStringLiteral("mainWindow"));
    window.setWindowTitle(QStringLiteral("Quorvale"));
    auto *editor = new ExpressionViewController(&window);
    window.setCentralWidget(editor);
    if (!library.expressions().isEmpty())
        editor->setExpression(library.expressions().constFirst().get());
    window.resize(1100, 700);
    window.show();
    return QApplication::exec();
}

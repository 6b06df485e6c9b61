#include "core/library/Paths.h"
#include "core/platform/MemoryAllocator.h"
#include "core/platform/SingleInstanceLock.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/AppDelegate.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    keepLargeAllocationsInProcess();
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QApplication::setApplicationName(QStringLiteral("Quorvale"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.quorvale.Quorvale"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/org.quorvale.Quorvale.png")));

    QCommandLineParser parser;
    parser.setApplicationDescription(QApplication::translate(
        "main", "A workbench for regular expressions: matches are painted into the sample text as you type."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(application);

    // Before anything reads a setting, so that the first window is built with the registered values.
    UserDefaults::standard().registerStandardDefaults();

    // Any other failure to lock, such as a read-only or full data folder, still opens the library; the window says
    // why changes cannot be saved.
    SingleInstanceLock lock(Paths::applicationSupportPath());
    if (lock.tryLock() == SingleInstanceLock::State::heldByAnotherInstance) {
        QMessageBox::information(nullptr, QStringLiteral("Quorvale"),
                                 QApplication::translate("main", "Quorvale is already running."), QMessageBox::Ok);
        return 1;
    }

    AppDelegate delegate(Paths::libraryFilePath(), &lock);
    delegate.applicationDidFinishLaunching();
    return QApplication::exec();
}

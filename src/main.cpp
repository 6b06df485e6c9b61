#include "cli/CommandLine.h"
#include "core/library/Paths.h"
#include "core/platform/MemoryAllocator.h"
#include "core/platform/SingleInstanceLock.h"
#include "core/platform/Translations.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/AppDelegate.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>

namespace {

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
}

} // namespace

int main(int argc, char *argv[])
{
    keepLargeAllocationsInProcess();
    // Commands, help and the version need no display: no window system is loaded for them.
    if (CommandLine::isCommand(argc, argv)) {
        QCoreApplication application(argc, argv);
        nameApplication();
        Translations::install();
        return CommandLine::run(QCoreApplication::arguments());
    }
    QApplication application(argc, argv);
    nameApplication();
    Translations::install();
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

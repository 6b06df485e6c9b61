#include "app/AppDelegate.h"
#include "library/Paths.h"
#include "platform/SingleInstanceLock.h"
#include "settings/UserDefaults.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <QThreadPool>

int main(int argc, char *argv[])
{
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
    // A stop request waits on a worker while the run it stops finishes on another; keep room for the next run.
    QThreadPool::globalInstance()->setMaxThreadCount(qMax(4, QThread::idealThreadCount()));

    SingleInstanceLock lock(Paths::applicationSupportPath());
    if (!lock.tryLock()) {
        QMessageBox::information(nullptr, QStringLiteral("Quorvale"),
                                 QApplication::translate("main", "Quorvale is already running."),
                                 QMessageBox::Ok);
        return 1;
    }

    AppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    return QApplication::exec();
}

#include "cli/CommandLine.h"
#include "core/library/Paths.h"
#include "core/platform/MemoryAllocator.h"
#include "core/platform/SingleInstanceChannel.h"
#include "core/platform/SingleInstanceLock.h"
#include "core/platform/Translations.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/AppDelegate.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>

namespace {

using namespace std::chrono_literals;

// Long enough for a running instance busy with a save on a slow disk, short enough not to look hung.
constexpr std::chrono::seconds handOverTimeout = 5s;

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
}

// The running instance comes forward and imports the files; this start ends. Says why when that fails.
int handOverToRunningInstance(const QString &channelName, const QStringList &files)
{
    const auto failure = SingleInstanceChannel::handOver(channelName, files, handOverTimeout);
    if (!failure)
        return 0;
    QString text;
    if (failure->failureCase == SingleInstanceChannel::HandOverFailure::Case::noAnswer) {
        //: %1 is a number of seconds, %2 the system's reason
        text = QApplication::translate("main",
                                       "Quorvale is running but did not answer within %1 seconds (%2). "
                                       "If its window does not respond, quit it and start Quorvale again.")
                   .arg(QString::number(handOverTimeout.count()), failure->reason);
    } else {
        //: %1 is the system's reason
        text
            = QApplication::translate("main", "Quorvale is running but could not be reached: %1.").arg(failure->reason);
    }
    QMessageBox::warning(nullptr, QStringLiteral("Quorvale"), text, QMessageBox::Ok);
    return 1;
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
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QApplication::translate("main", "Expression files to import into the library."),
                                 QStringLiteral("[FILE.json...]"));
    parser.process(application);
    const QStringList files = parser.positionalArguments();

    // Before anything reads a setting, so that the first window is built with the registered values.
    UserDefaults::standard().registerStandardDefaults();

    // Any other failure to lock, such as a read-only or full data folder, still opens the library; the window says
    // why changes cannot be saved.
    SingleInstanceLock lock(Paths::applicationSupportPath());
    const QString channelName = SingleInstanceChannel::serverName(lock.filePath());
    const SingleInstanceLock::State state = lock.tryLock();
    if (state == SingleInstanceLock::State::heldByAnotherInstance)
        return handOverToRunningInstance(channelName, files);
    // Opened before the window is built, so that a start soon after this one finds it.
    SingleInstanceChannel channel(channelName);
    if (state == SingleInstanceLock::State::locked) {
        if (const std::optional<QString> problem = channel.listen())
            qWarning().noquote() << QStringLiteral("A later start cannot reach this Quorvale: %1").arg(*problem);
    }

    AppDelegate delegate(Paths::libraryFilePath(), &lock);
    QObject::connect(&channel, &SingleInstanceChannel::activationRequested, &delegate, &AppDelegate::openFiles);
    delegate.applicationDidFinishLaunching();
    if (!files.isEmpty())
        delegate.openFiles(files);
    return QApplication::exec();
}

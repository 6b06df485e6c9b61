// How soon a keystroke reaches the library file, and whether it survives the signal a logout sends.
//
// Latency: in this process, an edit of an expression through the library's controller, as the editor makes on every
// keystroke, until the library file on disk has grown by that character (polled every millisecond); two busy loops
// spawned by the bench keep both cores busy meanwhile.
// Signal: the application run as main() runs it, in a child process under the offscreen platform with a private
// home, one key pressed into the sample text, SIGTERM 50 ms later; kept when the file holds the keystroke afterwards.

#include "BenchSupport.h"
#include "core/library/LibraryStoreController.h"
#include "core/library/Paths.h"
#include "core/platform/SingleInstanceLock.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/AppDelegate.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using bench::median;
using bench::verdict;
using bench::worst;

namespace {

constexpr int runs = 20;

// The child: main() with a key pressed once the window is up, told to the parent through the pipe.
[[noreturn]] void runApplication(const QString &home, int typedPipe)
{
    for (const char *variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, home.toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Its log would bury the figures; it is kept beside the library instead.
    const int log = ::open(QFile::encodeName(home + u"/log.txt"_s).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (log >= 0)
        ::dup2(log, STDERR_FILENO);
    static int argc = 1;
    static char name[] = "quorvale";
    static char *argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QApplication::setOrganizationName(u"Quorvale"_s);
    QApplication::setApplicationName(u"Quorvale"_s);
    UserDefaults::standard().registerStandardDefaults();
    SingleInstanceLock lock(Paths::applicationSupportPath());
    if (lock.tryLock() == SingleInstanceLock::State::heldByAnotherInstance)
        ::_exit(1);
    AppDelegate delegate(Paths::libraryFilePath(), &lock);
    delegate.applicationDidFinishLaunching();
    QTimer::singleShot(0, &delegate, [&delegate, typedPipe] {
        QWidget *text = delegate.viewController()->outputTextView();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier, u"k"_s);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_K, Qt::NoModifier, u"k"_s);
        QApplication::sendEvent(text, &press);
        QApplication::sendEvent(text, &release);
        [[maybe_unused]] const ssize_t written = ::write(typedPipe, "k", 1);
    });
    ::_exit(QApplication::exec());
}

struct SignalRun
{
    bool kept = false;
    double exitMilliseconds = 0;
};

SignalRun terminateAfterKeystroke(const QString &home)
{
    int typed[2];
    if (::pipe(typed) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(typed[0]);
        runApplication(home, typed[1]);
    }
    ::close(typed[1]);
    char byte = 0;
    const bool wasTyped = ::read(typed[0], &byte, 1) == 1;
    ::close(typed[0]);
    SignalRun run;
    if (wasTyped) {
        ::usleep(50'000);
        QElapsedTimer timer;
        timer.start();
        ::kill(child, SIGTERM);
        int status = 0;
        ::waitpid(child, &status, 0);
        run.exitMilliseconds = bench::milliseconds(timer);
    } else {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    QFile library(home + u"/Quorvale/Quorvale/expressions.json"_s);
    if (library.open(QIODevice::ReadOnly)) {
        const QJsonArray expressions = QJsonDocument::fromJson(library.readAll()).array();
        run.kept = !expressions.isEmpty() && expressions.at(0)[u"text"_s].toString() == u"k";
    }
    return run;
}

pid_t spawnBusyLoop()
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        volatile unsigned long spin = 0;
        for (;;)
            spin = spin + 1;
    }
    return child;
}

qint64 fileSize(const QByteArray &path)
{
    struct stat info = {};
    return ::stat(path.constData(), &info) == 0 ? qint64(info.st_size) : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // No Qt object with threads exists yet, so the children start from a clean process.
    QTemporaryDir homes(QDir::current().filePath(u"bench-saving-XXXXXX"_s));
    if (!homes.isValid())
        return 1;
    int kept = 0;
    std::vector<double> exits;
    for (int run = 0; run < runs; ++run) {
        const QString home = homes.filePath(QString::number(run));
        QDir().mkpath(home);
        const SignalRun outcome = terminateAfterKeystroke(home);
        kept += outcome.kept ? 1 : 0;
        exits.push_back(outcome.exitMilliseconds);
    }
    std::printf("SIGTERM 50 ms after a keystroke, app in a child process: keystroke on disk in %d of %d runs "
                "(goal %d of %d) %s\n",
                kept, runs, runs, runs, verdict(kept == runs));
    std::printf("  from the signal to the exit: median %.0f ms, worst %.0f ms (no goal; reported)\n", median(exits),
                worst(exits));

    const pid_t busy[] = {spawnBusyLoop(), spawnBusyLoop()};
    QCoreApplication application(argc, argv);
    const QString path = homes.filePath(u"latency.json"_s);
    const QByteArray nativePath = QFile::encodeName(path);
    std::vector<double> latencies;
    {
        LibraryStoreController controller(path);
        ExpressionList library;
        for (int index = 0; index < 20; ++index)
            library.append(std::make_shared<Expression>(u"Expression %1"_s.arg(index), u"(\\w+)@(\\w+)\\.org"_s,
                                                        bench::sampleText(2000)));
        controller.setExpressions(library);
        const std::shared_ptr<Expression> edited = controller.expressions().constFirst();
        QString text = edited->text();
        for (int keystroke = 0; keystroke < runs + 5; ++keystroke) {
            const qint64 before = fileSize(nativePath);
            text.append(u'k');
            QElapsedTimer timer;
            timer.start();
            edited->setText(text);
            while (fileSize(nativePath) != before + 1 && timer.elapsed() < 30'000)
                QThread::msleep(1);
            latencies.push_back(bench::milliseconds(timer) / 1000);
            QCoreApplication::processEvents();
            QThread::msleep(20);
        }
        controller.finishSaves();
    }
    for (const pid_t child : busy) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    // Other work on the machine, which the busy loops add to, bears on the worst figure; so does the disk, since a
    // save is flushed to it before it replaces the library.
    QFile loadAverage(u"/proc/loadavg"_s);
    if (loadAverage.open(QIODevice::ReadOnly))
        std::printf("  load average (1, 5, 15 min) at the end: %s\n",
                    loadAverage.readAll().split(' ').mid(0, 3).join(", ").constData());
    std::printf("keystroke to library file on disk, two busy loops on both cores, %d keystrokes: median %.3f s "
                "(goal <= 0.3 s) %s, worst %.3f s (goal <= 1 s) %s\n",
                int(latencies.size()), median(latencies), verdict(median(latencies) <= 0.3), worst(latencies),
                verdict(worst(latencies) <= 1));
    return 0;
}

// The start as a user meets it: from launching the program to its first frame, and to the first frame that shows
// the whole sample text, with an empty library and with one whose expression holds 5 MB of sample text. The two
// libraries take turns; the program says when each moment comes (its "quorvale.application" log).

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;
using namespace bench;

namespace {

const int repetitions = 20;

struct Start
{
    double windowShown = -1;
    double textShown = -1;
};

bool writeLibrary(const QString &home, const QString &sample)
{
    const QString folder = home + u"/data/Quorvale/Quorvale"_s;
    if (!QDir().mkpath(folder))
        return false;
    QFile file(folder + u"/expressions.json"_s);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QJsonObject expression {{u"name"_s, u"Dates"_s},
                            {u"pattern"_s, u"\\d{4}-\\d{2}-\\d{2}"_s},
                            {u"text"_s, sample},
                            {u"replacement"_s, QString()}};
    const QByteArray json = QJsonDocument(QJsonArray {expression}).toJson();
    return file.write(json) == json.size() && file.flush();
}

Start start(const QString &home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CONFIG_HOME"_s, home + u"/config"_s);
    environment.insert(u"XDG_DATA_HOME"_s, home + u"/data"_s);
    environment.insert(u"XDG_RUNTIME_DIR"_s, home);
    environment.insert(u"QT_LOGGING_RULES"_s, u"quorvale.application.info=true"_s);
    if (!environment.contains(u"QT_QPA_PLATFORM"_s))
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer timer;
    timer.start();
    process.start(QString::fromLocal8Bit(QUORVALE_EXECUTABLE), {});
    Start times;
    QByteArray pending;
    while (times.textShown < 0 && timer.elapsed() < 60000 && process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(5);
        pending += process.readAllStandardError();
        const double now = milliseconds(timer);
        if (times.windowShown < 0 && pending.contains("window shown"))
            times.windowShown = now;
        if (times.textShown < 0 && pending.contains("sample text shown"))
            times.textShown = now;
    }
    process.terminate();
    if (!process.waitForFinished(10000))
        process.kill();
    process.waitForFinished();
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir empty;
    QTemporaryDir large;
    if (!empty.isValid() || !large.isValid() || !writeLibrary(empty.path(), QString())
        || !writeLibrary(large.path(), sampleText(5000000))) {
        std::printf("could not write the libraries\n");
        return 1;
    }
    std::printf("start-up bench: %d starts of each library, taking turns\n", repetitions);
    std::vector<double> emptyWindow, largeWindow, largeText;
    for (int round = 0; round < repetitions; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool isLarge = (turn + round) % 2 == 1;
            const Start times = start(isLarge ? large.path() : empty.path());
            if (times.windowShown < 0 || times.textShown < 0) {
                std::printf("a start did not report its window or its text\n");
                return 1;
            }
            (isLarge ? largeWindow : emptyWindow).push_back(times.windowShown);
            if (isLarge)
                largeText.push_back(times.textShown);
        }
    }
    std::printf("empty library, launch to first window: median %.0f ms, worst %.0f ms (for comparison)\n",
                median(emptyWindow), worst(emptyWindow));
    std::printf("5 MB expression selected, launch to first window: median %.0f ms, worst %.0f ms (goal <= 400 ms) %s\n",
                median(largeWindow), worst(largeWindow), verdict(median(largeWindow) <= 400));
    std::printf("5 MB expression selected, launch to the whole text shown: median %.0f ms, worst %.0f ms (goal <= 800 "
                "ms) %s\n",
                median(largeText), worst(largeText), verdict(median(largeText) <= 800));
    return 0;
}

// "quorvale check" over a library of 1,000 expressions with 10 tests each, the whole program as CI runs it (start,
// read, compile every pattern, run every case, print the summary). 20 repetitions.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace bench;

namespace {

// Patterns of the kind a team keeps, each its own, tested with sample lines and with inputs of every expectation;
// every case passes.
QJsonArray library()
{
    const QString patterns[] = {uR"((?<year>\d{4})-(\d\d)-(\d\d))"_s, uR"([\w.+-]+@[\w-]+\.[a-z]{2,})"_s,
                                uR"(\b(\w+)\s+\1\b)"_s, uR"(https?://[^\s/]+(/\S*)?)"_s, uR"(\p{Lu}\p{Ll}+)"_s};
    const QString text = sampleText(1000);
    QJsonArray expressions;
    for (int index = 0; index < 1000; ++index) {
        const QString tag = u"id%1"_s.arg(index);
        QJsonArray tests;
        for (int test = 0; test < 7; ++test)
            tests.append(QJsonObject {{u"input"_s, QString(text.sliced((index + test * 97) % 900, 80) + u' ' + tag)},
                                      {u"expect"_s, u"match"_s}});
        tests.append(QJsonObject {{u"input"_s, tag}, {u"expect"_s, u"wholeMatch"_s}});
        tests.append(QJsonObject {{u"input"_s, QString(u"-- "_s + tag + u" --"_s)},
                                  {u"expect"_s, u"matches"_s},
                                  {u"values"_s, QJsonArray {tag}}});
        tests.append(QJsonObject {{u"input"_s, u"-- --"_s}, {u"expect"_s, u"noMatch"_s}});
        expressions.append(QJsonObject {{u"name"_s, u"Expression %1"_s.arg(index)},
                                        {u"pattern"_s, QString(patterns[index % 5] + u"|\\b"_s + tag + u"\\b"_s)},
                                        {u"text"_s, text.sliced(0, 400)},
                                        {u"tests"_s, tests}});
    }
    return expressions;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir folder;
    QFile file(folder.filePath(u"expressions.json"_s));
    const QByteArray bytes = QJsonDocument(library()).toJson();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        std::printf("cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    file.close();

    constexpr double goal = 2000;
    constexpr int repetitions = 20;
    std::vector<double> times;
    QByteArray summary;
    for (int round = 0; round < repetitions; ++round) {
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(QStringLiteral(QUORVALE_EXECUTABLE), {u"check"_s, file.fileName()});
        if (!process.waitForFinished(-1) || process.exitCode() != 0)
            std::printf("quorvale check failed: %s\n", process.readAllStandardError().constData());
        times.push_back(milliseconds(timer));
        summary = process.readAllStandardOutput().trimmed();
    }
    std::printf("1,000 expressions, 10 tests each (%s): quorvale check %.1f ms (worst %.1f), goal <= %.0f ms: %s\n",
                summary.constData(), median(times), *std::max_element(times.begin(), times.end()), goal,
                verdict(median(times) <= goal));
    return 0;
}

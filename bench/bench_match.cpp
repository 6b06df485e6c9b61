// "quorvale match" over a 100 MB file, the whole program as a script runs it (start, read, decode, search, print to
// /dev/null), against a bare ICU find-all over the same text already in memory. Interleaved, the side that goes
// first alternating, 20 repetitions.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace bench;

namespace {

double bareIcu(const QString &pattern, const QString &text, qsizetype &matches)
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    const std::unique_ptr<icu::RegexPattern> compiled(
        icu::RegexPattern::compile(IcuString::alias(pattern).value(), 0, parseError, status));
    QElapsedTimer timer;
    timer.start();
    const icu::UnicodeString input = IcuString::alias(text).value();
    const std::unique_ptr<icu::RegexMatcher> matcher(compiled->matcher(input, status));
    matches = 0;
    while (matcher->find(status))
        ++matches;
    return milliseconds(timer);
}

double command(const QString &pattern, const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral(QUORVALE_EXECUTABLE), {u"match"_s, pattern, path});
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        std::printf("quorvale match failed: %s\n", process.readAllStandardError().constData());
    return milliseconds(timer);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QString text = sampleText(100 << 20);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"sample.txt"_s);
    QFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        std::printf("cannot write %s\n", qPrintable(path));
        return 1;
    }
    file.close();
    std::printf("%lld MB of UTF-8, %lld UTF-16 units\n", qlonglong(bytes.size() >> 20), qlonglong(text.size()));

    constexpr double goal = 1.3;
    constexpr int repetitions = 20;
    for (const QString &pattern : {uR"(\d{4}-\d\d-\d\d)"_s, uR"(\w+@\w+)"_s}) {
        std::vector<double> bare, ours, ratios;
        qsizetype matches = 0;
        for (int round = 0; round < repetitions; ++round) {
            double b = 0, c = 0;
            if (round % 2 == 0) {
                b = bareIcu(pattern, text, matches);
                c = command(pattern, path);
            } else {
                c = command(pattern, path);
                b = bareIcu(pattern, text, matches);
            }
            bare.push_back(b);
            ours.push_back(c);
            ratios.push_back(c / b);
        }
        const double ratio = median(ratios);
        std::printf("%-20s %9lld matches: bare ICU %7.1f ms, quorvale match %7.1f ms (worst %7.1f); ratio %.2f, goal "
                    "<= %.1f: %s\n",
                    qPrintable(pattern), qlonglong(matches), median(bare), median(ours),
                    *std::max_element(ours.begin(), ours.end()), ratio, goal, ratio <= goal ? "MET" : "MISSED");
    }
    return 0;
}

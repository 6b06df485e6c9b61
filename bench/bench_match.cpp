// "quorvale match" over a 100 MB file, the whole program as a script runs it (start, read, decode, search, print to
// /dev/null), against the least program that does the same with ICU alone (read, convert with ICU, find all, print
// the count): like with like, the goal's figure. A find-all over the text already in memory is shown beside it, for
// what reading and decoding cost. Interleaved, the side that goes first rotating, 20 repetitions.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <functional>

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

double command(const QString &program, const QStringList &arguments)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        std::printf("%s failed: %s\n", qPrintable(program), process.readAllStandardError().constData());
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
        std::vector<double> inMemory, bare, ours, ratios;
        qsizetype matches = 0;
        for (int round = 0; round < repetitions; ++round) {
            double m = 0, b = 0, c = 0;
            const std::array<std::function<void()>, 3> sides {
                [&] { m = bareIcu(pattern, text, matches); },
                [&] {
                    b = command(QStringLiteral(BARE_ICU_MATCH), {pattern, path});
                },
                [&] {
                    c = command(QStringLiteral(QUORVALE_EXECUTABLE), {u"match"_s, pattern, path});
                },
            };
            for (int side = 0; side < 3; ++side)
                sides[(round + side) % 3]();
            inMemory.push_back(m);
            bare.push_back(b);
            ours.push_back(c);
            ratios.push_back(c / b);
        }
        const double ratio = median(ratios);
        std::printf("%-20s %9lld matches: ICU in memory %7.1f ms, bare ICU program %7.1f ms, quorvale match %7.1f ms "
                    "(worst %7.1f); ratio to the program %.2f, goal <= %.1f: %s\n",
                    qPrintable(pattern), qlonglong(matches), median(inMemory), median(bare), median(ours),
                    *std::max_element(ours.begin(), ours.end()), ratio, goal, ratio <= goal ? "MET" : "MISSED");
    }
    return 0;
}

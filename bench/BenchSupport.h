#pragma once

// Inputs and small helpers shared by the benchmark programs.

#include "core/evaluation/EvaluationScheduler.h"
#include "core/evaluation/MatchResults.h"
#include "core/evaluation/RegularExpressionController.h"
#include "core/platform/IcuString.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <unicode/regex.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

namespace bench {

using namespace Qt::StringLiterals;

// Words, numbers, e-mail addresses, dates, non-ASCII words and emoji, in lines of 60 to 100 characters.
inline QString sampleText(qsizetype length)
{
    QRandomGenerator random(1234);
    const QString syllables[] = {u"ka"_s, u"lo"_s, u"mi"_s, u"ren"_s, u"sto"_s, u"va"_s, u"qui"_s, u"der"_s};
    const QString foreign[] = {u"café"_s, u"Straße"_s, u"naïve"_s, u"東京"_s, u"Ærø"_s, u"смысл"_s};
    const QString emoji[] = {u"\U0001F600"_s, u"\U0001F680"_s, u"\u2764\uFE0F"_s, u"\U0001F44D\U0001F3FD"_s};
    const auto word = [&] {
        QString w;
        for (int i = random.bounded(1, 4); i > 0; --i)
            w += syllables[random.bounded(8)];
        return w;
    };
    QString text;
    text.reserve(length + 200);
    qsizetype lineStart = 0;
    int lineLength = random.bounded(60, 101);
    while (text.size() < length) {
        const int kind = random.bounded(100);
        if (kind < 70)
            text += word();
        else if (kind < 80)
            text += QString::number(random.bounded(100000));
        else if (kind < 85)
            text += word() + u'.' + word() + u'@' + word() + u".com";
        else if (kind < 90)
            text += u"%1-%2-%3"_s.arg(random.bounded(1970, 2030))
                        .arg(random.bounded(1, 13), 2, 10, QLatin1Char('0'))
                        .arg(random.bounded(1, 29), 2, 10, QLatin1Char('0'));
        else if (kind < 96)
            text += foreign[random.bounded(6)];
        else
            text += emoji[random.bounded(4)];
        if (text.size() - lineStart >= lineLength) {
            text += u'\n';
            lineStart = text.size();
            lineLength = random.bounded(60, 101);
        } else {
            text += random.bounded(10) == 0 ? u',' : u' ';
        }
    }
    return text;
}

// Balanced fragments of the kind people write, each with a free-spacing comment, padded to the exact length.
inline QString realisticPattern(qsizetype length)
{
    const QStringList fragments {
        uR"((?<year>\d{4})-(?<month>\d{2})-(?<day>\d{2}) # an ISO date)"_s,
        uR"([A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[a-z]{2,} # a mail address)"_s,
        uR"((?:https?|ftp)://[^\s/$.?#].[^\s]* # a web address)"_s,
        uR"(\b(\w+)\s+\1\b(?#a doubled word))"_s,
        uR"(\p{Lu}\p{Ll}+|\u00e9|\x41|\x{00E9} # letters)"_s,
        uR"(\(\d{3}\) \d{3}-\d{4} # a phone number)"_s,
        uR"((?=.*[A-Z])(?!.*\s)(?<=x)(?<!y)a{1,3}?b*c+?)"_s,
        uR"((\d+(?:\.\d+)?)\s*(?:kg|g|mg)\.?)"_s,
    };
    QString pattern;
    for (qsizetype index = 0;; ++index) {
        const QString next = fragments.at(index % fragments.size()) + u"\n|"_s;
        if (pattern.size() + next.size() > length)
            break;
        pattern += next;
    }
    return pattern + QString(length - pattern.size(), u'a');
}

// This thread's own work, without the time it sleeps or waits.
inline double threadCpuMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

inline double milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double worst(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end());
}

inline const char *verdict(bool pass)
{
    return pass ? "MET" : "MISSED";
}

// The engine alone on this thread: find all with the app's stack limit, collecting the same ranges into the same
// storage as the app does.
inline double bareFindAll(const icu::RegexPattern &pattern, const QString &text, MatchResults &results)
{
    QElapsedTimer timer;
    timer.start();
    const icu::UnicodeString input = IcuString::alias(text).value();
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(input, status));
    matcher->setStackLimit(defaultBacktrackStackLimit, status);
    results = MatchResults(matcher->groupCount() + 1);
    while (matcher->find(status))
        results.appendMatch(*matcher, status);
    return milliseconds(timer);
}

inline double bareFindAll(const icu::RegexPattern &pattern, const QString &text, qsizetype &matches)
{
    MatchResults results;
    const double elapsed = bareFindAll(pattern, text, results);
    matches = results.count();
    return elapsed;
}

// One evaluation as the window runs it: on a worker, through a scheduler, until its end is reported on this thread.
// The controller keeps what it found.
inline void evaluateOnWorker(const std::shared_ptr<RegularExpressionController> &controller)
{
    const EvaluationScheduler::Work work
        = [controller](const std::atomic<bool> &shouldStop) { return controller->run(shouldStop); };
    EvaluationScheduler scheduler([&] { return work; });
    QEventLoop loop;
    QObject::connect(&scheduler, &EvaluationScheduler::runningChanged, &loop, [&](bool running) {
        if (!running)
            loop.quit();
    });
    scheduler.restart();
    loop.exec();
}

} // namespace bench

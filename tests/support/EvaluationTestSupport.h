#pragma once

#include "core/evaluation/EvaluationThreadPool.h"
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/RegularExpressionController.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QThreadPool>

// Until no evaluation occupies a worker and what they reported has arrived. A worker never waits for the main
// thread, so the main thread may wait for the workers.
inline void settleEvaluations()
{
    QVERIFY(EvaluationThreadPool::instance()->waitForDone(20000));
    QCoreApplication::processEvents();
}

// "(a+)+$" backtracks for days on this text, unless it is stopped.
inline QString catastrophicText()
{
    return QString(40, u'a') + u'b';
}

// The compiled pattern of a source the test knows to be valid.
inline std::shared_ptr<const icu::RegexPattern> compiledPattern(const QString &source)
{
    return RegularExpression::compile(source, {}).pattern;
}

// The switches by ICU's inline letters, l for literal, as the expected-output files name them.
inline RegularExpressionOptions optionsFromLetters(QStringView letters)
{
    static constexpr std::pair<char16_t, RegularExpressionOption> byLetter[]
        = {{u'i', caseInsensitiveOption},
           {u'm', anchorsMatchLinesOption},
           {u'x', allowCommentsAndWhitespaceOption},
           {u's', dotMatchesLineSeparatorsOption},
           {u'w', unicodeWordBoundariesOption},
           {u'd', unixLineSeparatorsOption},
           {u'l', patternIsLiteralOption}};
    RegularExpressionOptions options;
    for (const auto &[letter, option] : byLetter)
        options.setFlag(option, letters.contains(QChar(letter)));
    return options;
}

// A run of the pattern over the text on this thread.
inline std::unique_ptr<RegularExpressionController> evaluated(const QString &pattern, const QString &text,
                                                              RegularExpressionOptions options = {})
{
    auto controller
        = std::make_unique<RegularExpressionController>(RegularExpression::compile(pattern, options).pattern, text);
    const std::atomic<bool> shouldStop = false;
    controller->run(shouldStop);
    return controller;
}

// "loc+len" per range, "-" for a group that took no part; ranges joined by "/", matches by " ".
inline QString described(const MatchResults &results)
{
    QStringList matches;
    for (qsizetype m = 0; m < results.count(); ++m) {
        QStringList ranges;
        for (int g = 0; g < results.numberOfRanges(); ++g) {
            const TextRange range = results.range(m, g);
            ranges << (range.isFound() ? QStringLiteral("%1+%2").arg(range.location).arg(range.length)
                                       : QStringLiteral("-"));
        }
        matches << ranges.join(u'/');
    }
    return matches.join(u' ');
}

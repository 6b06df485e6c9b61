#include "cli/CheckCommand.h"

#include "cli/MatchingOptions.h"
#include "core/evaluation/ExpressionTestRunner.h"
#include "core/library/Expression.h"
#include "core/library/JsonStore.h"
#include "core/library/Paths.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

enum ExitStatus { allPassed = 0, someFailed = 1, troubled = 2 };

void printError(const QString &message)
{
    std::fputs(QByteArray("quorvale check: " + message.toUtf8() + '\n').constData(), stderr);
}

void print(const QString &line)
{
    std::fputs(QByteArray(line.toUtf8() + '\n').constData(), stdout);
}

// The expressions of the library file, read as the application reads it; none after an error, which it has reported.
std::optional<ExpressionList> readLibrary(const QString &path)
{
    if (QFileInfo(path).isDir()) {
        printError(CheckCommand::tr("%1: is a folder").arg(path));
        return std::nullopt;
    }
    ExpressionList expressions;
    if (const QString problem = JsonStore::readExpressions(path, expressions); !problem.isEmpty()) {
        //: As the application says it; %2 completes the sentence, e.g. "it does not hold a JSON array"
        printError(CheckCommand::tr("%1: the library could not be read: %2").arg(path, problem));
        return std::nullopt;
    }
    return expressions;
}

} // namespace

int CheckCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Runs the tests kept with each expression of LIBRARY.json (the user's library when none is named): a line "
           "per failing case and \"N passed, M failed\". Exit status: 0 when all passed, 1 when one failed, 2 on an "
           "error. The switches apply to every pattern."));
    parser.addHelpOption();
    const MatchingOptions matchingOptions;
    matchingOptions.addTo(parser);
    parser.addPositionalArgument(u"LIBRARY.json"_s, tr("A library file."), u"[LIBRARY.json]"_s);
    QStringList parsed = arguments;
    parsed.removeAt(1);
    if (!parser.parse(parsed)) {
        printError(parser.errorText());
        return troubled;
    }
    if (parser.isSet(u"help"_s)) {
        std::fputs(parser.helpText().replace(u"[options]"_s, u"check [options]"_s).toUtf8().constData(), stdout);
        return allPassed;
    }
    const QStringList operands = parser.positionalArguments();
    if (operands.size() > 1) {
        printError(tr("one library file at most (quorvale check --help)"));
        return troubled;
    }
    const QString path = operands.isEmpty() ? Paths::libraryFilePath() : operands.first();
    const std::optional<ExpressionList> expressions = readLibrary(path);
    if (!expressions)
        return troubled;

    const ExpressionTestRunner::Settings settings {matchingOptions.options(parser), defaultBacktrackStackLimit};
    const std::atomic<bool> running = false;
    bool trouble = false;
    qsizetype passed = 0;
    qsizetype failed = 0;
    for (const auto &expression : *expressions) {
        // Skipping them quietly would let a check pass that tested nothing.
        if (expression->hasUnreadableTests()) {
            printError(tr("%1: its tests were written in a form this version cannot read").arg(expression->name()));
            trouble = true;
            continue;
        }
        const ExpressionTestRunner::Report report
            = ExpressionTestRunner::run(expression->pattern(), expression->tests(), settings, running).value();
        if (report.compileError) {
            printError(
                u"%1: %2"_s.arg(expression->name(), MatchingOptions::invalidPatternMessage(*report.compileError)));
            trouble = true;
            continue;
        }
        for (qsizetype index = 0; index < report.verdicts.size(); ++index) {
            const ExpressionTestRunner::Verdict &verdict = report.verdicts.at(index);
            if (verdict.passed) {
                ++passed;
                continue;
            }
            ++failed;
            //: A failing test: the expression's name, the case's number, then what it expected and what was found
            print(tr("%1: test %2: expected %3, found %4")
                      .arg(expression->name(), QString::number(index + 1), verdict.expected, verdict.found));
        }
    }
    //: The summary line of quorvale check
    print(tr("%1 passed, %2 failed").arg(passed).arg(failed));
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        printError(tr("the output could not be written"));
        return troubled;
    }
    return trouble ? troubled : failed > 0 ? someFailed : allPassed;
}

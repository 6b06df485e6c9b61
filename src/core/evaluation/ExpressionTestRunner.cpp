#include "core/evaluation/ExpressionTestRunner.h"

#include "core/evaluation/RegularExpressionController.h"

#include <algorithm>

namespace {

using Expectation = ExpressionTestCase::Expectation;

QStringList capturesOf(const RegularExpressionController &controller, int group)
{
    QStringList captures;
    const MatchResults &results = controller.results();
    for (qsizetype match = 0; match < results.count(); ++match) {
        const TextRange range = results.range(match, group);
        if (range.location != TextRange::notFound)
            captures.append(controller.text().sliced(range.location, range.length));
    }
    return captures;
}

} // namespace

bool ExpressionTestRunner::Report::passed() const
{
    return !compileError && std::all_of(verdicts.begin(), verdicts.end(), [](const Verdict &v) { return v.passed; });
}

std::optional<ExpressionTestRunner::Verdict> ExpressionTestRunner::run(const Pattern &pattern,
                                                                       const ExpressionTestCase &testCase,
                                                                       const std::atomic<bool> &shouldStop,
                                                                       int32_t stackLimit)
{
    const Expectation expectation = testCase.expectation();
    RegularExpressionController controller(pattern, testCase.input());
    controller.setStackLimit(stackLimit);
    controller.setMode(expectation == Expectation::wholeMatch ? RegularExpressionController::Mode::wholeText
                                                              : RegularExpressionController::Mode::everyMatch);
    if (!controller.run(shouldStop))
        return std::nullopt;

    Verdict verdict {false, testCase.expectationText(), {}};
    if (U_FAILURE(controller.matchingError())) {
        //: What the engine found for a test; %1 says why the search failed
        verdict.found = tr("no result: %1").arg(RegularExpression::matchingFailureReason(controller.matchingError()));
        return verdict;
    }
    const MatchResults &results = controller.results();
    const QString firstMatch = results.isEmpty() ? QString() : capturesOf(controller, 0).value(0);
    switch (expectation) {
    case Expectation::match:
    case Expectation::noMatch:
        verdict.passed = results.isEmpty() == (expectation == Expectation::noMatch);
        if (results.isEmpty()) {
            //: What the engine found for a test
            verdict.found = tr("no match");
        } else {
            const QString first = ExpressionTestCase::listText({firstMatch});
            //: What the engine found for a test; %1 is the match in quotes and brackets
            verdict.found = results.count() == 1 ? tr("one match %1").arg(first)
                                                 //: What the engine found for a test; %1 counts the matches, %2 is
                                                 //: the first in quotes and brackets
                                                 : tr("%1 matches, the first %2").arg(results.count()).arg(first);
        }
        break;
    case Expectation::wholeMatch:
        verdict.passed = !results.isEmpty();
        //: What the engine found for a test
        verdict.found = verdict.passed ? tr("a match of the whole input") : tr("no match of the whole input");
        break;
    case Expectation::matches:
        if (testCase.group() >= results.numberOfRanges()) {
            //: What the engine found for a test; %1 is a group number
            verdict.found = tr("the pattern has no group %1").arg(testCase.group());
            break;
        }
        const QStringList captures = capturesOf(controller, testCase.group());
        verdict.passed = captures == testCase.values();
        verdict.found = ExpressionTestCase::listText(captures);
        break;
    }
    return verdict;
}

std::optional<ExpressionTestRunner::Report> ExpressionTestRunner::run(const QString &pattern,
                                                                      const QList<ExpressionTestCase> &tests,
                                                                      const Settings &settings,
                                                                      const std::atomic<bool> &shouldStop)
{
    Report report;
    if (tests.isEmpty())
        return report;
    const RegularExpression::CompileResult compiled = RegularExpression::compile(pattern, settings.options);
    if (!compiled.isValid()) {
        report.compileError = compiled.error;
        return report;
    }
    report.verdicts.reserve(tests.size());
    for (const ExpressionTestCase &testCase : tests) {
        std::optional<Verdict> verdict = run(compiled.pattern, testCase, shouldStop, settings.stackLimit);
        if (!verdict)
            return std::nullopt;
        report.verdicts.append(std::move(*verdict));
    }
    return report;
}

std::optional<ExpressionTestCase> ExpressionTestRunner::caseForInput(const Pattern &pattern, const QString &input,
                                                                     const std::atomic<bool> &shouldStop,
                                                                     int32_t stackLimit)
{
    RegularExpressionController controller(pattern, input);
    controller.setStackLimit(stackLimit);
    controller.setMode(RegularExpressionController::Mode::everyMatch);
    if (!controller.run(shouldStop) || U_FAILURE(controller.matchingError()))
        return std::nullopt;
    const MatchResults &results = controller.results();
    if (results.isEmpty())
        return ExpressionTestCase(input, Expectation::noMatch);
    const TextRange first = results.range(0, 0);
    if (results.count() == 1 && first.location == 0 && first.length == input.size())
        return ExpressionTestCase(input, Expectation::wholeMatch);
    return ExpressionTestCase(input, Expectation::matches, capturesOf(controller, 0));
}

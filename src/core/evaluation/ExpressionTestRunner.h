#pragma once

#include "core/evaluation/RegularExpression.h"
#include "core/library/ExpressionTestCase.h"
#include "core/settings/UserDefaults.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

// Runs an expression's tests with the engine, each case through a RegularExpressionController of its own, and says
// for each whether it passed and, in words, what was expected and what the engine found. Any thread.
class ExpressionTestRunner final
{
    Q_DECLARE_TR_FUNCTIONS(ExpressionTestRunner)

public:
    using Pattern = std::shared_ptr<const icu::RegexPattern>;

    struct Verdict
    {
        bool passed = false;
        QString expected;
        QString found;
        friend bool operator==(const Verdict &, const Verdict &) = default;
    };

    // The tests of one expression: the compile error when its pattern is invalid, else one verdict per case.
    struct Report
    {
        std::optional<RegularExpression::Error> compileError;
        QList<Verdict> verdicts;

        bool passed() const;
    };

    struct Settings
    {
        RegularExpressionOptions options;
        // As RegularExpressionController::setStackLimit.
        int32_t stackLimit = defaultBacktrackStackLimit;
    };

    ExpressionTestRunner() = delete;

    // None when shouldStop turned true first.
    static std::optional<Verdict> run(const Pattern &pattern, const ExpressionTestCase &testCase,
                                      const std::atomic<bool> &shouldStop, int32_t stackLimit);
    // Compiles the pattern and runs every case; none when stopped.
    static std::optional<Report> run(const QString &pattern, const QList<ExpressionTestCase> &tests,
                                     const Settings &settings, const std::atomic<bool> &shouldStop);
    // A case for the input that expects what the engine finds now: no match, a match of the whole input, or the
    // texts of the matches. None when stopped or when the search failed.
    static std::optional<ExpressionTestCase> caseForInput(const Pattern &pattern, const QString &input,
                                                          const std::atomic<bool> &shouldStop, int32_t stackLimit);
};

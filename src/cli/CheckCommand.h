#pragma once

#include <QCoreApplication>
#include <QStringList>

// "quorvale check": runs the tests of every expression in a library file, for CI. Prints a line per failing case
// and a summary; the exit status is 0 when every case passed, 1 when one failed, 2 when the library cannot be read,
// a tested pattern is invalid or tests are in a form this version cannot read.
class CheckCommand final
{
    Q_DECLARE_TR_FUNCTIONS(CheckCommand)

public:
    CheckCommand() = delete;

    // The arguments as the program got them: the program, "check", then the options and the library file.
    static int run(const QStringList &arguments);
};

#pragma once

#include <QCoreApplication>
#include <QStringList>

// The commands Quorvale runs without a window, for scripts and CI: they need no display and never touch widgets.
class CommandLine final
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    CommandLine() = delete;

    // Whether the arguments (the program first) ask for a command, help or the version rather than the window.
    static bool isCommand(int argc, const char *const argv[]);
    // The exit status.
    static int run(const QStringList &arguments);
};

#include "cli/CommandLine.h"

#include "cli/CheckCommand.h"
#include "cli/MatchCommand.h"

#include <QCommandLineParser>

#include <cstring>

namespace {

constexpr const char *headlessArguments[] = {"match", "check", "--help", "-h", "--help-all", "-?", "--version", "-v"};

} // namespace

bool CommandLine::isCommand(int argc, const char *const argv[])
{
    if (argc < 2)
        return false;
    return std::any_of(std::begin(headlessArguments), std::end(headlessArguments),
                       [argv](const char *argument) { return std::strcmp(argv[1], argument) == 0; });
}

int CommandLine::run(const QStringList &arguments)
{
    if (arguments.value(1) == u"match")
        return MatchCommand::run(arguments);
    if (arguments.value(1) == u"check")
        return CheckCommand::run(arguments);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("A workbench for regular expressions: matches are painted into the sample text as you type.\n"
           "Without arguments it opens its window.\n\n"
           "Commands:\n"
           "  match PATTERN [FILE...]  print the matches of PATTERN with ICU's semantics (quorvale match --help)\n"
           "  check [LIBRARY.json]     run the tests kept with every expression (quorvale check --help)"));
    parser.addHelpOption();
    parser.addVersionOption();
    // Prints and exits.
    parser.process(arguments);
    return 0;
}

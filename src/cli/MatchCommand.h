#pragma once

#include <QCoreApplication>
#include <QStringList>

// "quorvale match": prints the matches of a pattern in files or standard input, with ICU's semantics, one line per
// match like grep -o, or one JSON object per match. The exit status is grep's: 0 when something matched, 1 when
// nothing did, 2 for an invalid pattern, an unreadable file or output that could not be written.
class MatchCommand final
{
    Q_DECLARE_TR_FUNCTIONS(MatchCommand)

public:
    MatchCommand() = delete;

    // The arguments as the program got them: the program, "match", then the options and operands.
    static int run(const QStringList &arguments);
};

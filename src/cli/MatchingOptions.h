#pragma once

#include "core/evaluation/RegularExpression.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QList>

class QCommandLineParser;

// The matching switches a command takes (-i -m -x -s), the same for every command that compiles patterns.
class MatchingOptions final
{
    Q_DECLARE_TR_FUNCTIONS(MatchingOptions)

public:
    MatchingOptions();

    void addTo(QCommandLineParser &parser) const;
    // The compile options the parsed arguments switch on.
    RegularExpressionOptions options(const QCommandLineParser &parser) const;

    // "invalid pattern: " with the engine's reason and place.
    static QString invalidPatternMessage(const RegularExpression::Error &error);

private:
    QList<std::pair<QCommandLineOption, RegularExpressionOption>> m_switches;
};

#include "cli/MatchingOptions.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

MatchingOptions::MatchingOptions()
    : m_switches {
        {QCommandLineOption({u"i"_s, u"case-insensitive"_s}, tr("Letters match either case.")), caseInsensitiveOption},
        {QCommandLineOption({u"m"_s, u"multiline"_s}, tr("^ and $ match at line breaks too.")),
         anchorsMatchLinesOption},
        {QCommandLineOption({u"x"_s, u"comments"_s}, tr("Allow white space and # comments in patterns.")),
         allowCommentsAndWhitespaceOption},
        {QCommandLineOption({u"s"_s, u"dotall"_s}, tr(". matches line breaks too.")), dotMatchesLineSeparatorsOption},
    }
{
}

void MatchingOptions::addTo(QCommandLineParser &parser) const
{
    for (const auto &[option, flag] : m_switches)
        parser.addOption(option);
}

RegularExpressionOptions MatchingOptions::options(const QCommandLineParser &parser) const
{
    RegularExpressionOptions options;
    for (const auto &[option, flag] : m_switches)
        options.setFlag(flag, parser.isSet(option));
    return options;
}

QString MatchingOptions::invalidPatternMessage(const RegularExpression::Error &error)
{
    const QString place = error.line > 0 ? tr(" at line %1, column %2").arg(error.line).arg(error.offset) : QString();
    return tr("invalid pattern: %1 (%2)%3").arg(error.reason, error.message, place);
}

#include "core/pattern/CaptureGroupParser.h"
#include "core/platform/IcuString.h"

#include "ExpectedOutput.h"

#include <QRandomGenerator>
#include <QTest>

#include <unicode/regex.h>

using namespace Qt::StringLiterals;

namespace {

// Every group, group 0 first, as "start-end" in characters and "location+length<name>" in UTF-16 units.
std::pair<QString, QString> describe(const CaptureGroupParser::Result &result)
{
    if (!result)
        return {};
    QStringList characters, utf16;
    for (const CaptureGroup &group : result.value()) {
        characters << u"%1-%2"_s.arg(group.rangeStartIndex).arg(group.rangeEndIndex.value_or(-99));
        utf16 << u"%1+%2"_s.arg(group.utf16Range().location).arg(group.utf16Range().length)
                + (group.name.isEmpty() ? QString() : u'<' + group.name + u'>');
    }
    return {characters.join(u' '), utf16.join(u' ')};
}

icu::UnicodeString unicode(const QString &text)
{
    return IcuString::alias(text).value();
}

std::unique_ptr<icu::RegexPattern> compiled(const QString &pattern, bool comments)
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<icu::RegexPattern> regex(
        icu::RegexPattern::compile(unicode(pattern), comments ? UREGEX_COMMENTS : 0, parseError, status));
    return U_SUCCESS(status) ? std::move(regex) : nullptr;
}

// ICU's number of the group named name, or -1.
int icuGroupNumber(const QString &pattern, bool comments, const QString &name)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexPattern> regex = compiled(pattern, comments);
    const int32_t number = regex ? regex->groupNumberFromName(unicode(name), status) : -1;
    return U_SUCCESS(status) ? number : -1;
}

// Where ICU compiles the pattern, parser group k is ICU's group k: a named one is looked up by its name, a numbered
// one is given a name at the "(" the parser places it. Returns whether ICU compiled it.
bool agreesWithIcu(const QString &pattern, bool comments)
{
    const std::unique_ptr<icu::RegexPattern> regex = compiled(pattern, comments);
    if (!regex)
        return false;
    const CaptureGroupParser::Result result = CaptureGroupParser(pattern, comments).parse();
    if (!result) {
        QTest::qFail(qPrintable(u"refused by the parser: "_s + visible(pattern)), __FILE__, __LINE__);
        return true;
    }
    UErrorCode status = U_ZERO_ERROR;
    const int32_t groups = std::unique_ptr<icu::RegexMatcher>(regex->matcher(status))->groupCount();
    bool agrees = result.value().size() - 1 == groups;
    for (qsizetype k = 1; agrees && k < result.value().size(); ++k) {
        const QString &name = result.value().at(k).name;
        const QString probed = QString(pattern).insert(result.value().at(k).utf16Start + 1, u"?<probe>");
        agrees
            = (name.isEmpty() ? icuGroupNumber(probed, comments, u"probe"_s) : icuGroupNumber(pattern, comments, name))
            == k;
    }
    if (!agrees)
        QTest::qFail(qPrintable(u"groups differ from ICU's: "_s + visible(pattern)), __FILE__, __LINE__);
    return true;
}

// Pieces each of which once misled the parser about where a group opens: a "(" in a class, a quote, a comment or an
// escape, switches that last until their group ends, free-spacing comments up to a line end.
QString randomPattern(QRandomGenerator &random)
{
    static const QStringList pieces
        = (uR"(a \( \) \[ \# \\ \Q()\E \Q[#\E \Q\E (?#a(b) (?#[) (?#\Q)\E) (?#\)) []a(] [^]a(] [a\](])"
           uR"( [\Q]\E(] [(] [)] [:digit:] [[:alpha:](] [[a-z]&&[^(]] [\p{L}--[(]] [\x{28}] \x{41} \x41)"
           uR"( \u0041 \N{COMMA} \p{Lu} \0101 \c( (?x) (?-x) (?ix-m) (?<=a) (?<!c) (?!c) |)"_s)
              .split(u' ')
        + QStringList {uR"(\ )"_s, uR"(\Q \(\E)"_s, u"[ a]"_s,          u" "_s,         u"\t"_s,
                       u"\n"_s,    u"#)\u2028"_s,   u"# ( [ \\Q )\n"_s, u"\\Q)( #\n["_s};
    static const QStringList openers {u"("_s, u"(?:"_s, u"(?>"_s, u"(?i:"_s, u"(?x:"_s, u"(?-x:"_s, u"(?ix-m:"_s};
    static const QStringList quantifiers {QString(), u"{1}+"_s, u"{1,2}?"_s, u"*"_s};
    QString pattern;
    int open = 0;
    for (int count = random.bounded(1, 16); count > 0; --count) {
        const int pick = random.bounded(8);
        if (pick == 0) {
            pattern += random.bounded(3) == 0 ? u"(?<n%1>"_s.arg(pattern.size())
                                              : openers.at(random.bounded(int(openers.size())));
            ++open;
        } else if (pick == 1 && open > 0) {
            pattern += u')' + quantifiers.at(random.bounded(int(quantifiers.size())));
            --open;
        } else {
            pattern += pieces.at(random.bounded(int(pieces.size())));
        }
    }
    return pattern + QString(open, u')');
}

} // namespace

class tst_CaptureGroupParser final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The cases of the file, each followed by its groups, which must also be ICU's.
    void groups()
    {
        static const QRegularExpression header(u"^\"(.*)\"(, free spacing)?$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"capture-groups.txt"_s, header, [](const QRegularExpressionMatch &match, QString &out) {
                const QString pattern = fromVisible(match.captured(1));
                const bool comments = match.hasCaptured(2);
                const CaptureGroupParser::Result result = CaptureGroupParser(pattern, comments).parse();
                const auto [characters, utf16] = describe(result);
                out += result ? u"  characters %1\n  utf16 %2\n"_s.arg(characters, utf16) : u"  invalid\n"_s;
                agreesWithIcu(pattern, comments);
            });
        QVERIFY(cases > 30);
    }

    void randomPatternsAgreeWithIcu()
    {
        QRandomGenerator random(20240611);
        int compiledPatterns = 0;
        for (int round = 0; round < 4000 && !QTest::currentTestFailed(); ++round) {
            const bool comments = random.bounded(2) == 1;
            compiledPatterns += agreesWithIcu(randomPattern(random), comments) ? 1 : 0;
        }
        // Enough of them compile for the check to mean something.
        QVERIFY(compiledPatterns > 2500);
    }
};

QTEST_GUILESS_MAIN(tst_CaptureGroupParser)
#include "tst_CaptureGroupParser.moc"

#include "core/pattern/CaptureGroupParser.h"
#include "core/platform/IcuString.h"

#include "ExpectedOutput.h"

#include <QHash>
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

// A random pattern built from pieces whose matching text is known, together with a text it matches whole and,
// for each capturing group by the offset of its "(", the text ICU must capture there (none for a group in an
// alternative that is not taken).
class GeneratedPattern final
{
public:
    GeneratedPattern(QRandomGenerator &random, bool comments)
        : m_random(random)
        , m_freeSpacing(comments)
    {
        sequence(0, true);
        if (m_random.bounded(8) == 0)
            append(u"\\Q)( #\n["_s, u")( #\n["_s, true);
    }

    QString pattern;
    QString text;
    // By the offset of the "(": the captured text and the name.
    QHash<qsizetype, std::pair<std::optional<QString>, QString>> groups;

private:
    int pick(int count) { return m_random.bounded(count); }

    template<typename Piece> const Piece &any(const QList<Piece> &pieces)
    {
        return pieces.at(pick(int(pieces.size())));
    }

    void append(const QString &piece, const QString &matched, bool taken)
    {
        pattern += piece;
        if (taken)
            text += matched;
    }

    void sequence(int depth, bool taken)
    {
        for (int count = 1 + pick(3); count > 0; --count)
            element(depth, taken);
    }

    void element(int depth, bool taken)
    {
        using Piece = std::pair<QString, QString>;
        static const QList<Piece> literals {{u"a"_s, u"a"_s},     {u"B"_s, u"B"_s},       {uR"(\()"_s, u"("_s},
                                            {uR"(\))"_s, u")"_s}, {uR"(\[)"_s, u"["_s},   {uR"(\#)"_s, u"#"_s},
                                            {uR"(\ )"_s, u" "_s}, {uR"(\\)"_s, uR"(\)"_s}};
        static const QList<Piece> quoted {{uR"(\Q()\E)"_s, u"()"_s},
                                          {uR"(\Q[#\E)"_s, u"[#"_s},
                                          {uR"(\Q \(\E)"_s, uR"( \()"_s},
                                          {uR"(\Q\E)"_s, QString()}};
        static const QList<Piece> inlineComments {
            {u"(?#a(b)"_s, {}}, {u"(?#[)"_s, {}}, {uR"((?#\Q)\E))"_s, {}}, {uR"((?#\))"_s, {}}};
        // Each "(" inside a class opens a group where the parser misreads where the class ends.
        static const QList<Piece> classes {
            {u"[]a(]"_s, u"]"_s},
            {u"[^]a(]"_s, u"b"_s},
            {uR"([a\](])"_s, u"]"_s},
            {uR"([\Q]\E(])"_s, u"]"_s},
            {u"[(]"_s, u"("_s},
            {u"[)]"_s, u")"_s},
            {u"[[a-z]&&[^aeiou(]]"_s, u"b"_s},
            {uR"([\p{L}--[a-z(]])"_s, u"\u00c9"_s},
            {u"[[:alpha:](]"_s, u"z"_s},
            {u"[:digit:]"_s, u"5"_s},
            {uR"([\x{28}])"_s, u"("_s},
            {u"[ a]"_s, u"a"_s},
        };
        static const QList<Piece> escapes {
            {uR"(\x{41})"_s, u"A"_s},    {uR"(\x41)"_s, u"A"_s},   {uR"(\u0041)"_s, u"A"_s},
            {uR"(\N{COMMA})"_s, u","_s}, {uR"(\p{Lu})"_s, u"Q"_s}, {uR"(\0101)"_s, u"A"_s},
            {uR"(\cA)"_s, u"\x01"_s},    {uR"(\c()"_s, u"\x08"_s}, {uR"(\d)"_s, u"7"_s}};

        switch (pick(depth < 3 ? 12 : 8)) {
        case 0:
            append(any(literals), taken);
            break;
        case 1:
            append(any(quoted), taken);
            break;
        case 2:
            append(any(inlineComments), taken);
            break;
        case 3:
            if (m_freeSpacing)
                append(any(QList<QString> {u" "_s, u"\n"_s, u"\t"_s, u"# ( [ \\Q )\n"_s, u"#)"_s + u"\u2028"_s}),
                       QString(), taken);
            else
                append(u" "_s, u" "_s, taken);
            break;
        case 4:
            append(any(classes), taken);
            break;
        case 5:
            append(any(escapes), taken);
            break;
        case 6:
            // Until the end of the enclosing group, across alternatives.
            if (const QString flags = any(QList<QString> {u"x"_s, u"-x"_s, u"i"_s, u"ix-m"_s}); true) {
                append(u"(?"_s + flags + u')', QString(), taken);
                if (flags.contains(u'x'))
                    m_freeSpacing = !flags.startsWith(u'-');
            }
            break;
        case 7:
            append(any(QList<Piece> {
                       {u"a(?<=a)"_s, u"a"_s}, {u"(?=b)b"_s, u"b"_s}, {u"(?!c)a"_s, u"a"_s}, {u"(?<!c)a"_s, u"a"_s}}),
                   taken);
            break;
        case 8:
        case 9:
        case 10:
            group(depth, taken);
            break;
        default: {
            const bool freeSpacing = m_freeSpacing;
            append(u"(?:"_s, QString(), taken);
            sequence(depth + 1, taken);
            append(u"|"_s, QString(), taken);
            sequence(depth + 1, false);
            append(u")"_s, QString(), taken);
            m_freeSpacing = freeSpacing;
            break;
        }
        }
    }

    void append(const std::pair<QString, QString> &piece, bool taken) { append(piece.first, piece.second, taken); }

    void group(int depth, bool taken)
    {
        const bool freeSpacing = m_freeSpacing;
        const qsizetype open = pattern.size();
        const qsizetype textStart = text.size();
        QString name;
        bool capturing = true;
        switch (pick(7)) {
        case 0:
        case 1:
        case 2:
            pattern += u'(';
            break;
        case 3:
            name = u"n%1"_s.arg(open);
            pattern += u"(?<"_s + name + u'>';
            break;
        case 4:
            pattern += any(QList<QString> {u"(?:"_s, u"(?>"_s, u"(?i:"_s});
            capturing = false;
            break;
        default: {
            const QString flags = any(QList<QString> {u"x"_s, u"-x"_s, u"ix-m"_s});
            pattern += u"(?"_s + flags + u':';
            m_freeSpacing = !flags.startsWith(u'-');
            capturing = false;
            break;
        }
        }
        sequence(depth + 1, taken);
        pattern += u')';
        m_freeSpacing = freeSpacing;
        if (capturing) {
            groups.insert(open, {taken ? std::optional<QString>(text.sliced(textStart)) : std::nullopt, name});
            // A lazy or possessive quantifier that still takes the group exactly once.
            pattern += any(QList<QString> {QString(), u"{1}"_s, u"{1}+"_s, u"{1}?"_s, u"{1,1}"_s});
        }
    }

    QRandomGenerator &m_random;
    bool m_freeSpacing;
};

} // namespace

class tst_CaptureGroupParser final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The cases of the file, each followed by its groups. Where ICU compiles the pattern, parser group k must also
    // be ICU's group k: a named one is looked up by its name, a numbered one is given a name.
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

                const std::unique_ptr<icu::RegexPattern> regex = compiled(pattern, comments);
                if (!regex)
                    return;
                UErrorCode status = U_ZERO_ERROR;
                QVERIFY2(result, qPrintable(pattern));
                QCOMPARE(result.value().size() - 1,
                         std::unique_ptr<icu::RegexMatcher>(regex->matcher(status))->groupCount());
                for (qsizetype k = 1; k < result.value().size(); ++k) {
                    const QString &name = result.value().at(k).name;
                    const QString probed = QString(pattern).insert(result.value().at(k).utf16Start + 1, u"?<probe>");
                    QCOMPARE(name.isEmpty() ? icuGroupNumber(probed, comments, u"probe"_s)
                                            : icuGroupNumber(pattern, comments, name),
                             k);
                }
            });
        QVERIFY(cases > 30);
    }

    // Whenever ICU compiles a generated pattern, the parser finds as many groups as ICU, and the group it places at
    // each "(" is the one ICU numbers k there: ICU captures the text that the piece at that offset matches.
    void generatedPatternsAgreeWithIcu()
    {
        QRandomGenerator random(20240611);
        int compiledPatterns = 0;
        for (int round = 0; round < 3000; ++round) {
            const bool comments = random.bounded(2) == 1;
            const GeneratedPattern generated(random, comments);
            const QString &pattern = generated.pattern;
            const std::unique_ptr<icu::RegexPattern> regex = compiled(pattern, comments);
            if (!regex)
                continue;
            ++compiledPatterns;
            const CaptureGroupParser::Result result = CaptureGroupParser(pattern, comments).parse();
            QVERIFY2(result, qPrintable(pattern));
            const QList<CaptureGroup> &groups = result.value();

            UErrorCode status = U_ZERO_ERROR;
            const icu::UnicodeString text = unicode(generated.text);
            const std::unique_ptr<icu::RegexMatcher> matcher(regex->matcher(text, status));
            QCOMPARE(groups.size() - 1, matcher->groupCount());
            QCOMPARE(groups.size() - 1, generated.groups.size());
            QVERIFY2(matcher->matches(status), qPrintable(pattern + u" against "_s + generated.text));
            for (qsizetype k = 1; k < groups.size(); ++k) {
                const auto expected = generated.groups.value(groups.at(k).utf16Start);
                const int32_t start = matcher->start(int32_t(k), status);
                const std::optional<QString> captured = start < 0
                    ? std::nullopt
                    : std::optional<QString>(generated.text.sliced(start, matcher->end(int32_t(k), status) - start));
                QVERIFY2(captured == expected.first, qPrintable(u"group %1 of "_s.arg(k) + pattern));
                QCOMPARE(groups.at(k).name, expected.second);
            }
        }
        // Generated to compile; a few refusals would not matter, many would mean the test checks little.
        QVERIFY(compiledPatterns > 2900);
    }
};

QTEST_GUILESS_MAIN(tst_CaptureGroupParser)
#include "tst_CaptureGroupParser.moc"

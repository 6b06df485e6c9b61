#include "core/pattern/CaptureGroupParser.h"
#include "core/platform/IcuString.h"

#include <QHash>
#include <QRandomGenerator>
#include <QTest>

#include <unicode/regex.h>

using namespace Qt::StringLiterals;

namespace {

// Every group, group 0 first, as "start-end" in characters and "location+length<name>" in UTF-16 units; or
// "invalid".
std::pair<QString, QString> describe(const CaptureGroupParser::Result &result)
{
    if (!result)
        return {u"invalid"_s, u"invalid"_s};
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
    void groups_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("comments");
        QTest::addColumn<QString>("characters");
        QTest::addColumn<QString>("utf16");

        QTest::addRow("two groups") << u"(a)(b)"_s << false << u"0-5 0-2 3-5"_s << u"0+6 0+3 3+3"_s;
        QTest::addRow("nested brackets keep depth") << u"[[a](]"_s << false << u"0-5"_s << u"0+6"_s;
        QTest::addRow("negative depth opens groups") << u"a]b(c)"_s << false << u"0-5 3-5"_s << u"0+6 3+3"_s;
        QTest::addRow("question mark after escaped parenthesis")
            << uR"(\(?(a))"_s << false << u"0-5 3-5"_s << u"0+6 3+3"_s;
        QTest::addRow("question mark in class") << u"[(?]"_s << false << u"0-3"_s << u"0+4"_s;
        QTest::addRow("unclosed group") << u"(a"_s << false << u"invalid"_s << u"invalid"_s;
        QTest::addRow("unopened group") << u"a)"_s << false << u"invalid"_s << u"invalid"_s;
        QTest::addRow("empty pattern") << QString() << false << u"0--1"_s << u"0+0"_s;
        QTest::addRow("named inside numbered") << uR"(((?<a>x)|(?<b>y))(\k<a>))"_s << false
                                               << u"0-23 0-16 1-7 9-15 17-23"_s << u"0+24 0+17 1+7<a> 9+7<b> 17+7"_s;
        QTest::addRow("quoted name spelling, refused by ICU") << u"(?'n'a)"_s << false << u"0-6"_s << u"0+7"_s;
        // Group 0 ends at the UTF-8 length minus one, the others count user-perceived characters.
        QTest::addRow("emoji inside group") << u"(😀)(b)"_s << false << u"0-8 0-2 3-5"_s << u"0+7 0+4 4+3"_s;
        QTest::addRow("combining mark before group") << u"e\u0301(a)"_s << false << u"0-5 1-3"_s << u"0+5 2+3"_s;
        QTest::addRow("flag before group") << u"🇫🇷(a)"_s << false << u"0-10 1-3"_s << u"0+7 4+3"_s;
        QTest::addRow("CRLF before and inside groups")
            << u"\r\n(a\r\n)(b)"_s << false << u"0-9 1-4 5-7"_s << u"0+10 2+5 7+3"_s;
        QTest::addRow("escaped emoji") << u"\\😀(a)"_s << false << u"0-7 2-4"_s << u"0+6 3+3"_s;
        QTest::addRow("combining mark after parenthesis") << u"(\u0301a)"_s << false << u"0-4 0-2"_s << u"0+4 0+4"_s;
        // ICU reads a "(" that a joiner or mark clings to as a parenthesis all the same.
        QTest::addRow("joiner after parenthesis") << u"(\u200d)"_s << false << u"0-4 0-1"_s << u"0+3 0+3"_s;
        QTest::addRow("only a combining mark in the group") << u"(\u0301)"_s << false << u"0-3 0-1"_s << u"0+3 0+3"_s;
        QTest::addRow("joiner before parenthesis") << u"a\u200d(b)"_s << false << u"0-6 1-3"_s << u"0+5 2+3"_s;
        QTest::addRow("joiner and mark after parenthesis, then a group")
            << u"(\u200d\u0301a)(b)"_s << false << u"0-10 0-2 3-5"_s << u"0+8 0+5 5+3"_s;
        QTest::addRow("mark after closing parenthesis")
            << u"(a)\u0301(b)"_s << false << u"0-7 0-2 3-5"_s << u"0+7 0+3 4+3"_s;
        QTest::addRow("backslash quoted") << uR"(\Q\\E(a))"_s << false << u"0-7 5-7"_s << u"0+8 5+3"_s;
        QTest::addRow("hash without free spacing") << u"(a) # (b\n(c)"_s << false << u"invalid"_s << u"invalid"_s;
        QTest::addRow("free spacing ends with its group")
            << u"(?x:(a)#)\n)(b)#(c)"_s << false << u"0-17 4-6 11-13 15-17"_s << u"0+18 4+3 11+3 15+3"_s;
        QTest::addRow("space between ( and ?") << u"( ?:a)(b)"_s << true << u"0-8 6-8"_s << u"0+9 6+3"_s;
        QTest::addRow("space is a literal without the switch")
            << u"( ?:a)(b)"_s << false << u"0-8 0-5 6-8"_s << u"0+9 0+6 6+3"_s;
        QTest::addRow("hash in a free-spacing inline comment")
            << u"(?#a#)\n)(b)"_s << true << u"0-10 8-10"_s << u"0+11 8+3"_s;
        QTest::addRow("free-spacing comment in a class") << u"[a#]\n](b)"_s << true << u"0-8 6-8"_s << u"0+9 6+3"_s;
        QTest::addRow("escape ends a POSIX look-ahead")
            << uR"([:a\x{28}:](b))"_s << false << u"0-13 11-13"_s << u"0+14 11+3"_s;
        QTest::addRow("free-spacing name") << u"(? < n a >a)"_s << true << u"0-11 0-11"_s << u"0+12 0+12<na>"_s;
        QTest::addRow("lookarounds hold groups")
            << u"(?<=(a))(?=(b))(?!(c))"_s << false << u"0-21 4-6 11-13 18-20"_s << u"0+22 4+3 11+3 18+3"_s;
        QTest::addRow("possessive and lazy quantifiers")
            << u"(a)*+(b)*?(c){2}+"_s << false << u"0-16 0-2 5-7 10-12"_s << u"0+17 0+3 5+3 10+3"_s;
    }

    // Where ICU compiles the pattern, parser group k must also be ICU's group k: a named one is looked up by its
    // name, a numbered one is given a name.
    void groups()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, comments);
        const CaptureGroupParser::Result result = CaptureGroupParser(pattern, comments).parse();
        const auto [characters, utf16] = describe(result);
        QTEST(characters, "characters");
        QTEST(utf16, "utf16");

        const std::unique_ptr<icu::RegexPattern> regex = compiled(pattern, comments);
        if (!regex)
            return;
        UErrorCode status = U_ZERO_ERROR;
        QVERIFY(result);
        QCOMPARE(result.value().size() - 1, std::unique_ptr<icu::RegexMatcher>(regex->matcher(status))->groupCount());
        for (qsizetype k = 1; k < result.value().size(); ++k) {
            const qsizetype start = result.value().at(k).utf16Start;
            if (!result.value().at(k).name.isEmpty()) {
                QCOMPARE(icuGroupNumber(pattern, comments, result.value().at(k).name), k);
            } else {
                QCOMPARE(icuGroupNumber(QString(pattern).insert(start + 1, u"?<probe>"), comments, u"probe"_s), k);
            }
        }
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

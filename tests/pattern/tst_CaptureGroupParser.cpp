#include "pattern/CaptureGroupParser.h"

#include <QTest>

#include <unicode/regex.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// "start-end" in characters and "location+length" in UTF-16 units per capturing group after group 0, or
// "invalid".
std::pair<QString, QString> describe(const CaptureGroupParser::Result &result)
{
    if (!result)
        return {u"invalid"_s, u"invalid"_s};
    QStringList characters;
    QStringList utf16;
    for (qsizetype k = 1; k < result.value().size(); ++k) {
        const CaptureGroup &group = result.value().at(k);
        characters << u"%1-%2"_s.arg(group.rangeStartIndex).arg(group.rangeEndIndex.value_or(-99));
        utf16 << u"%1+%2"_s.arg(group.utf16Range().location).arg(group.utf16Range().length);
    }
    return {characters.join(u' '), utf16.join(u' ')};
}

std::unique_ptr<icu::RegexPattern> compiled(const QString &pattern)
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    const icu::UnicodeString text(reinterpret_cast<const UChar *>(pattern.utf16()), int32_t(pattern.size()));
    std::unique_ptr<icu::RegexPattern> regex(icu::RegexPattern::compile(text, 0, parseError, status));
    return U_SUCCESS(status) ? std::move(regex) : nullptr;
}

int icuGroupNumber(const icu::RegexPattern &regex, const QString &name)
{
    UErrorCode status = U_ZERO_ERROR;
    const int32_t number = regex.groupNumberFromName(
        icu::UnicodeString(reinterpret_cast<const UChar *>(name.utf16()), int32_t(name.size())), status);
    return U_SUCCESS(status) ? number : -1;
}

} // namespace

class tst_CaptureGroupParser final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void groups_data();
    void groups();
    void wholePatternGroup_data();
    void wholePatternGroup();
    void agreesWithIcuNumbering_data();
    void agreesWithIcuNumbering();
};

void tst_CaptureGroupParser::groups_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QString>("utf16");

    QTest::addRow("two groups") << u"(a)(b)"_s << u"0-2 3-5"_s << u"0+3 3+3"_s;
    QTest::addRow("outer group first") << u"((a)b)"_s << u"0-5 1-3"_s << u"0+6 1+3"_s;
    QTest::addRow("non-capturing balanced but left out") << u"(?:a)(b)"_s << u"5-7"_s << u"5+3"_s;
    QTest::addRow("escaped parentheses") << uR"(\(a\))"_s << u""_s << u""_s;
    QTest::addRow("escaped backslash does not escape") << uR"(\\(a))"_s << u"2-4"_s << u"2+3"_s;
    QTest::addRow("three backslashes escape") << uR"(\\\(a)"_s << u""_s << u""_s;
    QTest::addRow("parenthesis in class") << u"[(]"_s << u""_s << u""_s;
    QTest::addRow("parenthesis later in class") << u"[a(]b"_s << u""_s << u""_s;
    QTest::addRow("nested brackets keep depth") << u"[[a](]"_s << u""_s << u""_s;
    QTest::addRow("negative depth opens groups") << u"a]b(c)"_s << u"3-5"_s << u"3+3"_s;
    QTest::addRow("question mark after escaped parenthesis") << uR"(\(?(a))"_s << u"3-5"_s << u"3+3"_s;
    QTest::addRow("question mark in class") << u"[(?]"_s << u""_s << u""_s;
    QTest::addRow("quoting not recognised") << uR"(\Q(\E))"_s << u"2-5"_s << u"2+4"_s;
    QTest::addRow("unclosed group") << u"(a"_s << u"invalid"_s << u"invalid"_s;
    QTest::addRow("unopened group") << u"a)"_s << u"invalid"_s << u"invalid"_s;
    QTest::addRow("one closing too many") << u"(a))"_s << u"invalid"_s << u"invalid"_s;
    QTest::addRow("trailing backslash") << uR"((a)\)"_s << u"0-2"_s << u"0+3"_s;

    QTest::addRow("named group captures") << uR"((?<year>\d+)-(\d+))"_s << u"0-11 13-17"_s << u"0+12 13+5"_s;
    QTest::addRow("lookbehinds do not capture") << u"(?<=a)(?<!b)(c)"_s << u"12-14"_s << u"12+3"_s;
    QTest::addRow("quoted name spelling does not capture") << u"(?'n'a)"_s << u""_s << u""_s;
    QTest::addRow("atomic, comment and flag groups do not capture") << u"(?>a)(?#c)(?i)(b)"_s << u"14-16"_s
                                                                     << u"14+3"_s;

    QTest::addRow("emoji before group") << u"😀(a)"_s << u"1-3"_s << u"2+3"_s;
    QTest::addRow("emoji inside group") << u"(😀)(b)"_s << u"0-2 3-5"_s << u"0+4 4+3"_s;
    QTest::addRow("combining mark before group") << u"e\u0301(a)"_s << u"1-3"_s << u"2+3"_s;
    QTest::addRow("combining mark inside group") << u"(e\u0301)"_s << u"0-2"_s << u"0+4"_s;
    QTest::addRow("flag before group") << u"🇫🇷(a)"_s << u"1-3"_s << u"4+3"_s;
    QTest::addRow("joined emoji before group") << u"👩\u200d👩\u200d👧(x)"_s << u"1-3"_s << u"8+3"_s;
    QTest::addRow("CRLF before and inside groups") << u"\r\n(a\r\n)(b)"_s << u"1-4 5-7"_s << u"2+5 7+3"_s;
    QTest::addRow("escaped emoji") << u"\\😀(a)"_s << u"2-4"_s << u"3+3"_s;
}

void tst_CaptureGroupParser::groups()
{
    QFETCH(QString, pattern);
    QFETCH(QString, characters);
    QFETCH(QString, utf16);

    const auto [actualCharacters, actualUtf16] = describe(CaptureGroupParser(pattern).parse());
    QCOMPARE(actualCharacters, characters);
    QCOMPARE(actualUtf16, utf16);
}

void tst_CaptureGroupParser::wholePatternGroup_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<qint64>("rangeEndIndex");

    QTest::addRow("empty pattern") << QString() << qint64(-1);
    QTest::addRow("ASCII") << u"(a)"_s << qint64(2);
    QTest::addRow("counted in UTF-8 bytes") << u"é😀"_s << qint64(5);
}

void tst_CaptureGroupParser::wholePatternGroup()
{
    QFETCH(QString, pattern);
    QFETCH(qint64, rangeEndIndex);

    const CaptureGroupParser::Result result = CaptureGroupParser(pattern).parse();
    QVERIFY(result);
    const CaptureGroup &group = result.value().first();
    QCOMPARE(group.rangeStartIndex, 0);
    QCOMPARE(group.rangeEndIndex, rangeEndIndex);
    QVERIFY(group.isValid);
    QCOMPARE(group.utf16Range(), (TextRange{0, pattern.size()}));
}

void tst_CaptureGroupParser::agreesWithIcuNumbering_data()
{
    QTest::addColumn<QString>("pattern");

    QTest::addRow("named then numbered") << uR"((?<year>\d+)-(\d+))"_s;
    QTest::addRow("lookarounds and non-capturing") << u"(?:a)(?=b)(?!c)(?<=d)(?<!e)(f)"_s;
    QTest::addRow("named nested in non-capturing") << u"(?:x(?<inner>y)(z))+"_s;
    QTest::addRow("atomic, comment and flags") << u"(?>a)(?#note)(?i)(?i:b)(c)(?<d>e)"_s;
    QTest::addRow("named inside numbered") << uR"(((?<a>x)|(?<b>y))(\k<a>))"_s;
    QTest::addRow("brackets and escapes") << uR"([(](a)\((?<n>b)\)\\(c))"_s;
    QTest::addRow("emoji and accents") << u"(😀)(?<e>é)(e\u0301)"_s;
}

// Every parser group k must be ICU's group k: a named group is looked up by its name, a numbered one gets a
// name inserted so that ICU can tell its number.
void tst_CaptureGroupParser::agreesWithIcuNumbering()
{
    QFETCH(QString, pattern);

    const std::unique_ptr<icu::RegexPattern> regex = compiled(pattern);
    QVERIFY(regex);
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(regex->matcher(status));
    const CaptureGroupParser::Result result = CaptureGroupParser(pattern).parse();
    QVERIFY(result);
    QCOMPARE(result.value().size() - 1, matcher->groupCount());

    for (qsizetype k = 1; k < result.value().size(); ++k) {
        const qsizetype start = result.value().at(k).utf16Start;
        if (QStringView(pattern).sliced(start).startsWith(u"(?<")) {
            const qsizetype nameEnd = pattern.indexOf(u'>', start);
            QCOMPARE(icuGroupNumber(*regex, pattern.sliced(start + 3, nameEnd - start - 3)), k);
        } else {
            const std::unique_ptr<icu::RegexPattern> named = compiled(QString(pattern).insert(start + 1, u"?<probe>"));
            QVERIFY(named);
            QCOMPARE(icuGroupNumber(*named, u"probe"_s), k);
        }
    }
}

QTEST_GUILESS_MAIN(tst_CaptureGroupParser)
#include "tst_CaptureGroupParser.moc"

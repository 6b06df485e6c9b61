#include "pattern/CaptureGroupParser.h"

#include <QTest>

#include <unicode/regex.h>

using namespace Qt::StringLiterals;

namespace {

// Every group, group 0 first, as "start-end" in characters and "location+length" in UTF-16 units; or "invalid".
std::pair<QString, QString> describe(const CaptureGroupParser::Result &result)
{
    if (!result)
        return {u"invalid"_s, u"invalid"_s};
    QStringList characters, utf16;
    for (const CaptureGroup &group : result.value()) {
        characters << u"%1-%2"_s.arg(group.rangeStartIndex).arg(group.rangeEndIndex.value_or(-99));
        utf16 << u"%1+%2"_s.arg(group.utf16Range().location).arg(group.utf16Range().length);
    }
    return {characters.join(u' '), utf16.join(u' ')};
}

icu::UnicodeString unicode(const QString &text)
{
    return icu::UnicodeString(reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
}

std::unique_ptr<icu::RegexPattern> compiled(const QString &pattern)
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<icu::RegexPattern> regex(icu::RegexPattern::compile(unicode(pattern), 0, parseError, status));
    return U_SUCCESS(status) ? std::move(regex) : nullptr;
}

// ICU's number of the group named name, or -1.
int icuGroupNumber(const QString &pattern, const QString &name)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexPattern> regex = compiled(pattern);
    const int32_t number = regex ? regex->groupNumberFromName(unicode(name), status) : -1;
    return U_SUCCESS(status) ? number : -1;
}

} // namespace

class tst_CaptureGroupParser final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void groups_data();
    void groups();
};

void tst_CaptureGroupParser::groups_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QString>("utf16");

    QTest::addRow("two groups") << u"(a)(b)"_s << u"0-5 0-2 3-5"_s << u"0+6 0+3 3+3"_s;
    QTest::addRow("non-capturing left out") << u"(?:a)(b)"_s << u"0-7 5-7"_s << u"0+8 5+3"_s;
    QTest::addRow("escaped parentheses") << uR"(\(a\))"_s << u"0-4"_s << u"0+5"_s;
    QTest::addRow("escaped backslash escapes nothing") << uR"(\\(a))"_s << u"0-4 2-4"_s << u"0+5 2+3"_s;
    QTest::addRow("parenthesis in class") << u"[a(]b"_s << u"0-4"_s << u"0+5"_s;
    QTest::addRow("nested brackets keep depth") << u"[[a](]"_s << u"0-5"_s << u"0+6"_s;
    QTest::addRow("negative depth opens groups") << u"a]b(c)"_s << u"0-5 3-5"_s << u"0+6 3+3"_s;
    QTest::addRow("question mark after escaped parenthesis") << uR"(\(?(a))"_s << u"0-5 3-5"_s << u"0+6 3+3"_s;
    QTest::addRow("question mark in class") << u"[(?]"_s << u"0-3"_s << u"0+4"_s;
    QTest::addRow("unclosed group") << u"(a"_s << u"invalid"_s << u"invalid"_s;
    QTest::addRow("unopened group") << u"a)"_s << u"invalid"_s << u"invalid"_s;
    QTest::addRow("one closing too many") << u"(a))"_s << u"invalid"_s << u"invalid"_s;
    QTest::addRow("empty pattern") << QString() << u"0--1"_s << u"0+0"_s;
    QTest::addRow("named group captures") << uR"((?<year>\d+)-(\d+))"_s << u"0-17 0-11 13-17"_s
                                          << u"0+18 0+12 13+5"_s;
    QTest::addRow("named inside numbered") << uR"(((?<a>x)|(?<b>y))(\k<a>))"_s << u"0-23 0-16 1-7 9-15 17-23"_s
                                           << u"0+24 0+17 1+7 9+7 17+7"_s;
    QTest::addRow("atomic, comment and flag groups") << u"(?>a)(?#note)(?i)(?i:b)(c)(?<d>e)"_s << u"0-32 23-25 26-32"_s
                                                     << u"0+33 23+3 26+7"_s;
    QTest::addRow("lookbehinds do not capture") << u"(?<=a)(?<!b)(c)"_s << u"0-14 12-14"_s << u"0+15 12+3"_s;
    QTest::addRow("quoted name spelling, refused by ICU") << u"(?'n'a)"_s << u"0-6"_s << u"0+7"_s;
    // Group 0 ends at the UTF-8 length minus one, the others count user-perceived characters.
    QTest::addRow("emoji inside group") << u"(😀)(b)"_s << u"0-8 0-2 3-5"_s << u"0+7 0+4 4+3"_s;
    QTest::addRow("combining mark before group") << u"e\u0301(a)"_s << u"0-5 1-3"_s << u"0+5 2+3"_s;
    QTest::addRow("flag before group") << u"🇫🇷(a)"_s << u"0-10 1-3"_s << u"0+7 4+3"_s;
    QTest::addRow("CRLF before and inside groups") << u"\r\n(a\r\n)(b)"_s << u"0-9 1-4 5-7"_s
                                                   << u"0+10 2+5 7+3"_s;
    QTest::addRow("escaped emoji") << u"\\😀(a)"_s << u"0-7 2-4"_s << u"0+6 3+3"_s;
}

// Where ICU compiles the pattern, parser group k must also be ICU's group k: a named one is looked up by its
// name, a numbered one is given a name.
void tst_CaptureGroupParser::groups()
{
    QFETCH(QString, pattern);
    const CaptureGroupParser::Result result = CaptureGroupParser(pattern).parse();
    const auto [characters, utf16] = describe(result);
    QTEST(characters, "characters");
    QTEST(utf16, "utf16");

    const std::unique_ptr<icu::RegexPattern> regex = compiled(pattern);
    if (!regex)
        return;
    UErrorCode status = U_ZERO_ERROR;
    QVERIFY(result);
    QCOMPARE(result.value().size() - 1, std::unique_ptr<icu::RegexMatcher>(regex->matcher(status))->groupCount());
    for (qsizetype k = 1; k < result.value().size(); ++k) {
        const qsizetype start = result.value().at(k).utf16Start;
        if (QStringView(pattern).sliced(start).startsWith(u"(?<")) {
            const qsizetype nameEnd = pattern.indexOf(u'>', start);
            QCOMPARE(icuGroupNumber(pattern, pattern.sliced(start + 3, nameEnd - start - 3)), k);
        } else {
            QCOMPARE(icuGroupNumber(QString(pattern).insert(start + 1, u"?<probe>"), u"probe"_s), k);
        }
    }
}

QTEST_GUILESS_MAIN(tst_CaptureGroupParser)
#include "tst_CaptureGroupParser.moc"

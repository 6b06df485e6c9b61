#include "core/pattern/EscapedCharacterPattern.h"
#include "core/pattern/MetacharacterPattern.h"
#include "core/pattern/SpecialCharacterPattern.h"
#include "core/pattern/SpecialExpressionPattern.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Lister = QList<TextRange> (*)(const QString &);

const QHash<QString, Lister> families {
    {u"special character"_s, &SpecialCharacterPattern::ranges},
    {u"special expression"_s, &SpecialExpressionPattern::ranges},
    {u"escaped character"_s, &EscapedCharacterPattern::ranges},
    {u"metacharacter"_s, &MetacharacterPattern::ranges},
};

QString describe(const QList<TextRange> &ranges)
{
    QStringList parts;
    for (const TextRange &range : ranges)
        parts << u"%1+%2"_s.arg(range.location).arg(range.length);
    return parts.join(u' ');
}

QList<TextRange> searchedWhole(const QString &text, const QString &regex)
{
    QList<TextRange> ranges;
    if (const std::unique_ptr<icu::RegexPattern> compiled = compiledSearchExpression(regex)) {
        forEachMatch(*compiled, text, 0, text.size(),
                     [&](const icu::RegexMatcher &matcher) { ranges.append(matchedRange(matcher)); });
    }
    return ranges;
}

} // namespace

class tst_Pattern final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Edge cases of each family.
    void ranges_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ranges");

        const QString special = u"special character"_s, escaped = u"escaped character"_s, meta = u"metacharacter"_s;
        QTest::addRow("quantifiers one by one") << special << u"a+?"_s << u"1+1 2+1"_s;
        QTest::addRow("special characters of a lookbehind") << special << u"(?<=a)b"_s << u"0+1 1+1 5+1"_s;
        QTest::addRow("escaped bracket is not special") << escaped << uR"(\[)"_s << u""_s;
        QTest::addRow("escaped backslash and space") << escaped << uR"(\\\ )"_s << u"0+2 2+2"_s;
        QTest::addRow("control X in either case") << meta << uR"(\cx \cY)"_s << u"0+3"_s;
        QTest::addRow("class ends at unescaped bracket") << meta << uR"([a-z]+\])"_s << u"0+5"_s;
        QTest::addRow("back-reference before octal") << meta << uR"(\0128)"_s << u"0+5"_s;
        QTest::addRow("two hex digits") << meta << uR"(\x4142)"_s << u"0+4"_s;
        // Case-insensitive, the earlier \\n and \\u[0-9a-f]{4} win over the longer alternatives.
        QTest::addRow("named character found as \\N") << meta << uR"(\N{DIGIT})"_s << u"0+2"_s;
        QTest::addRow("eight hex digits found as four") << meta << uR"(\U0001F600)"_s << u"0+6"_s;
        QTest::addRow("escape before an unclosed class") << meta << u"\\d[\n[a]"_s << u"0+2 4+3"_s;
    }

    void ranges()
    {
        QFETCH(QString, family);
        QFETCH(QString, text);
        QTEST(describe(families.value(family)(text)), "ranges");
    }

    // The split, linear search must find exactly what one search of the whole text finds.
    void splitSearchEqualsWholeSearch()
    {
        QRandomGenerator random(4711);
        static constexpr std::u16string_view alphabet = u"[]\\()?#a\n\r\u2028d";
        for (int round = 0; round < 3000; ++round) {
            QString text;
            for (int i = random.bounded(1, 24); i > 0; --i)
                text += QChar(alphabet[random.bounded(int(alphabet.size()))]);
            QCOMPARE(describe(MetacharacterPattern::ranges(text)),
                     describe(searchedWhole(text, MetacharacterPattern::regex())));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Pattern)
#include "tst_Pattern.moc"

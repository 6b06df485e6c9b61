#include "core/pattern/EscapedCharacterPattern.h"
#include "core/pattern/MetacharacterPattern.h"
#include "core/pattern/SpecialCharacterPattern.h"
#include "core/pattern/SpecialExpressionPattern.h"

#include "ExpectedOutput.h"

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
    // The cases are the file's lines: a family and a pattern in quotes; under each, the ranges the family finds.
    void ranges()
    {
        static const QRegularExpression header(u"^([a-z ]+) \"(.*)\"$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"token-ranges.txt"_s, header, [](const QRegularExpressionMatch &match, QString &out) {
                const Lister lister = families.value(match.captured(1));
                QVERIFY2(lister, qPrintable(match.captured(1)));
                const QString pattern = fromVisible(match.captured(2));
                for (const TextRange &range : lister(pattern))
                    out += u"  %1+%2 \"%3\"\n"_s.arg(range.location)
                               .arg(range.length)
                               .arg(visible(pattern.sliced(range.location, range.length)));
            });
        QVERIFY(cases > 10);
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

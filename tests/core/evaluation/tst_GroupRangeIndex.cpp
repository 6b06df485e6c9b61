#include "core/evaluation/GroupRangeIndex.h"

#include "EvaluationTestSupport.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Lines of differing lengths, so that lookarounds reach near and far.
QString sampleText()
{
    QString text;
    for (int line = 0; line < 120; ++line)
        text += u"ab cd "_s.repeated(line % 7) + (line % 5 == 0 ? u"z"_s : u"xy"_s) + u'\n';
    return text;
}

// Groups anywhere, of any length, in no order: what lookarounds could produce at worst.
MatchResults scattered(qsizetype textLength)
{
    QRandomGenerator random(11);
    MatchResults results(2);
    for (qsizetype location = 0; location + 1 < textLength; location += 3) {
        const qsizetype start = random.bounded(int(textLength));
        const TextRange group = random.bounded(9) == 0
            ? TextRange()
            : TextRange {start, qMin<qsizetype>(random.bounded(0, 4) * random.bounded(0, 30), textLength - start)};
        const TextRange ranges[] = {{location, 1}, group};
        results.appendMatch(ranges);
    }
    return results;
}

} // namespace

class tst_GroupRangeIndex final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsWhatEveryStretchHolds_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("reordered");
        QTest::addRow("whole matches") << u"\\w+"_s << 0 << false;
        QTest::addRow("groups inside their matches") << u"(\\w)(\\w)?"_s << 2 << false;
        QTest::addRow("empty matches") << u"\\b"_s << 0 << false;
        QTest::addRow("next line's first word") << u"(?m)\\w+$(?=\\n(\\w+))"_s << 1 << true;
        QTest::addRow("the line before, from each word") << u"(?<=(z)\\n[^\\n]{0,99})\\w+"_s << 1 << true;
        QTest::addRow("scattered, out of match order") << QString() << 1 << true;
        QTest::addRow("nested reaches to the line's end") << u"\\w(?=([^\\n]*))"_s << 1 << true;
        QTest::addRow("empty groups ahead") << u"\\w+(?=( ?))"_s << 1 << true;
        QTest::addRow("a group beyond the pattern's") << u"\\w"_s << 1 << false;
    }

    void findsWhatEveryStretchHolds()
    {
        QFETCH(QString, pattern);
        QFETCH(int, group);
        const QString text = sampleText();
        const MatchResults matches = pattern.isEmpty() ? scattered(text.size()) : evaluated(pattern, text)->results();
        QVERIFY(matches.count() > 64);
        const GroupRangeIndex index(matches, group);
        QTEST(index.isReordered(), "reordered");
        for (const qsizetype length : {0, 1, 7, 40, 500}) {
            for (qsizetype from = 0; from + length <= text.size() + 1; from += 1 + from % 13) {
                const qsizetype to = from + length;
                QList<GroupRangeIndex::Hit> expected;
                for (qsizetype match = 0; group < matches.numberOfRanges() && match < matches.count(); ++match) {
                    const TextRange range = matches.range(match, group);
                    const bool inside = range.length == 0 ? range.location >= from && range.location < to
                                                          : range.location < to && range.end() > from;
                    if (range.isFound() && inside)
                        expected.append({match, range});
                }
                QCOMPARE(index.rangesIn(from, to), expected);
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_GroupRangeIndex)
#include "tst_GroupRangeIndex.moc"

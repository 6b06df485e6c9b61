#include "core/evaluation/CaptureGroupNames.h"
#include "core/evaluation/MatchInspectorModel.h"

#include "EvaluationTestSupport.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void load(MatchInspectorModel &model, const QString &source, const QString &text)
{
    model.setResults(evaluated(source, text)->results(), text, CaptureGroupNames::of(*compiledPattern(source)));
}

QString row(const MatchInspectorModel &model, const QModelIndex &index)
{
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells << model.index(index.row(), column, index.parent()).data().toString();
    return cells.join(u" | "_s);
}

// Every row as "number | range | text", group rows indented.
QStringList dump(const MatchInspectorModel &model)
{
    QStringList rows;
    for (int match = 0; match < model.rowCount(); ++match) {
        const QModelIndex matchIndex = model.index(match, 0);
        rows << row(model, matchIndex);
        for (int group = 0; group < model.rowCount(matchIndex); ++group)
            rows << u"  "_s + row(model, model.index(group, 0, matchIndex));
    }
    return rows;
}

} // namespace

class tst_MatchInspectorModel final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contents_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows");
        QTest::addRow("numbered groups") << u"(\\d+)-(\\d+)"_s << u"a 12-3\nb 4-56"_s
                                         << QStringList {u"1 | 1:3 (offset 2, length 4) | 12-3"_s,
                                                         u"  1 | 1:3 (offset 2, length 2) | 12"_s,
                                                         u"  2 | 1:6 (offset 5, length 1) | 3"_s,
                                                         u"2 | 2:3 (offset 9, length 4) | 4-56"_s,
                                                         u"  1 | 2:3 (offset 9, length 1) | 4"_s,
                                                         u"  2 | 2:5 (offset 11, length 2) | 56"_s};
        QTest::addRow("named and numbered groups")
            << u"(?<year>\\d{4})-(\\d\\d)"_s << u"2024-05"_s
            << QStringList {u"1 | 1:1 (offset 0, length 7) | 2024-05"_s, u"  year | 1:1 (offset 0, length 4) | 2024"_s,
                            u"  2 | 1:6 (offset 5, length 2) | 05"_s};
        QTest::addRow("a group that took no part")
            << u"(a)|(b)"_s << u"b"_s
            << QStringList {u"1 | 1:1 (offset 0, length 1) | b"_s, u"  1 | did not take part | "_s,
                            u"  2 | 1:1 (offset 0, length 1) | b"_s};
        QTest::addRow("line breaks shown, CR LF as one")
            << u"a\\R+b"_s << u"a\r\n\nb a\u2028b"_s
            << QStringList {u"1 | 1:1 (offset 0, length 5) | a⏎⏎b"_s, u"2 | 3:3 (offset 6, length 3) | a⏎b"_s};
        QTest::addRow("empty match") << u"\\b"_s << u"ab"_s
                                     << QStringList {u"1 | 1:1 (offset 0, length 0) | "_s,
                                                     u"2 | 1:3 (offset 2, length 0) | "_s};
        QTest::addRow("long match cut after 200 units, emoji kept whole")
            << u".+"_s << QString(199, u'x') + u"😀😀"_s
            << QStringList {u"1 | 1:1 (offset 0, length 203) | "_s + QString(199, u'x') + u"…"_s};
    }

    void contents()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        MatchInspectorModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        load(model, pattern, text);
        QCOMPARE(dump(model), rows);
    }

    void lineAndColumn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("position");
        const QString text = u"ab\r\ncd\ref\n😀g\u2029\u2028h\n"_s;
        QTest::addRow("start of the text") << text << 0 << u"1:1"_s;
        QTest::addRow("CR of a CR LF ends the line") << text << 2 << u"1:3"_s;
        QTest::addRow("LF of a CR LF still on that line") << text << 3 << u"1:4"_s;
        QTest::addRow("after a CR LF") << text << 4 << u"2:1"_s;
        QTest::addRow("after a lone CR") << text << 7 << u"3:1"_s;
        QTest::addRow("emoji at a line start") << text << 10 << u"4:1"_s;
        QTest::addRow("after an emoji, two units on") << text << 12 << u"4:3"_s;
        QTest::addRow("paragraph and line separators") << text << 15 << u"6:1"_s;
        QTest::addRow("end of the text after a final break") << text << 17 << u"7:1"_s;
        QTest::addRow("text without breaks") << u"abc"_s << 3 << u"1:4"_s;
    }

    void lineAndColumn()
    {
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(QString, position);
        MatchResults results;
        const TextRange range {offset, 0};
        results.appendMatch({&range, 1});
        MatchInspectorModel model;
        model.setResults(results, text);
        const QString shown = model.index(0, MatchInspectorModel::rangeColumn).data().toString();
        QCOMPARE(shown.section(u' ', 0, 0), position);
    }

    void rangeAndGroupOfEachRow()
    {
        MatchInspectorModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        load(model, u"(x)?(y)"_s, u"y xy"_s);
        const QModelIndex second = model.index(1, MatchInspectorModel::textColumn);
        QCOMPARE(model.rangeForIndex(second), (TextRange {2, 2}));
        QCOMPARE(model.groupForIndex(second), 0);
        QCOMPARE(model.matchForIndex(second), 1);

        const QModelIndex firstGroup = model.index(0, MatchInspectorModel::rangeColumn, model.index(0, 0));
        QVERIFY(!model.rangeForIndex(firstGroup).isFound());
        QCOMPARE(model.groupForIndex(firstGroup), 1);
        QCOMPARE(model.matchForIndex(firstGroup), 0);
        const QModelIndex secondGroup = model.index(1, 0, model.index(1, 0));
        QCOMPARE(model.rangeForIndex(secondGroup), (TextRange {3, 1}));
        QCOMPARE(model.groupForIndex(secondGroup), 2);
        QCOMPARE(model.matchForIndex(secondGroup), 1);

        QVERIFY(!model.rangeForIndex({}).isFound());
        QCOMPARE(model.groupForIndex({}), -1);
        // An index kept from before a reset to fewer matches points at nothing.
        load(model, u"x"_s, u"x"_s);
        QVERIFY(!model.rangeForIndex(secondGroup).isFound());
        QCOMPARE(model.groupForIndex(secondGroup), -1);
        QCOMPARE(model.data(secondGroup), QVariant());
        model.clear();
        QCOMPARE(model.rowCount(), 0);
    }

    void listsMatchRowsUpToTheMaximumInBatches_data()
    {
        QTest::addColumn<int>("matches");
        QTest::addColumn<int>("maximum");
        const int batch = MatchInspectorModel::fetchBatchSize;
        QTest::addRow("fewer matches than the maximum") << 4 << 10;
        QTest::addRow("as many as the maximum") << 4 << 4;
        QTest::addRow("more than the maximum") << 4 << 2;
        QTest::addRow("none") << 4 << 0;
        QTest::addRow("one batch") << batch << batch * 3;
        QTest::addRow("two batches and a bit") << batch * 2 + 1 << batch * 3;
        QTest::addRow("batches stopped by the maximum") << batch * 2 + 1 << batch + 7;
    }

    // No model tester here: it fetches on its own while it checks a reset.
    void listsMatchRowsUpToTheMaximumInBatches()
    {
        QFETCH(int, matches);
        QFETCH(int, maximum);
        MatchInspectorModel model;
        load(model, u"(a)"_s, QString(matches, u'a'));
        const QModelIndex third = model.index(2, 0);
        model.setMaximumMatchRows(maximum);
        const int listed = std::min(matches, maximum);
        QCOMPARE(model.listedMatches(), listed);
        QCOMPARE(model.results().count(), matches);
        QCOMPARE(model.rowCount(), std::min(listed, MatchInspectorModel::fetchBatchSize));
        while (model.canFetchMore({})) {
            const int before = model.rowCount();
            model.fetchMore({});
            QVERIFY(model.rowCount() > before);
        }
        QCOMPARE(model.rowCount(), listed);
        QCOMPARE(model.matchForIndex(model.index(listed - 1, 0)), listed - 1);
        QVERIFY(!model.index(listed, 0).isValid());
        // Rows beyond the listed ones point at nothing, group rows included.
        QCOMPARE(model.groupForIndex(third) >= 0, listed > 2);
        QCOMPARE(model.groupForIndex(model.index(0, 0, third)) >= 0, listed > 2);
        // A new evaluation starts from the first batch again.
        load(model, u"(a)"_s, QString(matches, u'a'));
        QCOMPARE(model.rowCount(), std::min(listed, MatchInspectorModel::fetchBatchSize));
    }
};

QTEST_GUILESS_MAIN(tst_MatchInspectorModel)
#include "tst_MatchInspectorModel.moc"

#include "core/evaluation/CaptureGroupNames.h"
#include "core/evaluation/MatchInspectorModel.h"

#include "EvaluationTestSupport.h"
#include "ExpectedOutput.h"

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
    for (int column = 0; column < model.columnCount(); ++column) {
        const QString cell = model.index(index.row(), column, index.parent()).data().toString();
        cells << (column == MatchInspectorModel::textColumn ? u'"' + cell + u'"' : cell);
    }
    // What a click on the row selects.
    const QModelIndex text = index.siblingAtColumn(MatchInspectorModel::textColumn);
    const TextRange range = model.rangeForIndex(text);
    return cells.join(u" | "_s)
        + u" -> match %1, group %2, %3"_s.arg(model.matchForIndex(text))
              .arg(model.groupForIndex(text))
              .arg(range.isFound() ? u"%1+%2"_s.arg(range.location).arg(range.length) : u"nothing"_s);
}

// Every row as "number | range | \"text\" -> what it selects", group rows indented.
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
    void contents()
    {
        static const QRegularExpression header(u"^\"(.*)\" in \"(.*)\"$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"match-inspector.txt"_s, header, [](const QRegularExpressionMatch &match, QString &out) {
                MatchInspectorModel model;
                QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
                load(model, fromVisible(match.captured(1)), fromVisible(match.captured(2)));
                for (const QString &row : dump(model))
                    out += u"  "_s + visible(row) + u'\n';
            });
        QVERIFY(cases > 5);
    }

    // An index kept from before a reset to fewer matches points at nothing.
    void staleIndexPointsAtNothing()
    {
        MatchInspectorModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        load(model, u"(x)?(y)"_s, u"y xy"_s);
        const QModelIndex secondGroup = model.index(1, 0, model.index(1, 0));
        load(model, u"x"_s, u"x"_s);
        QVERIFY(!model.rangeForIndex(secondGroup).isFound());
        QCOMPARE(model.groupForIndex(secondGroup), -1);
        QCOMPARE(model.data(secondGroup), QVariant());
        QVERIFY(!model.rangeForIndex({}).isFound());
        QCOMPARE(model.groupForIndex({}), -1);
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

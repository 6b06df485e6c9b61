#include "core/pattern/PatternExplanationModel.h"

#include <QAbstractItemModelTester>
#include <QPoint>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_PatternExplanationModel final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The whole pattern is the one top row; under it the tree, each row with its span and, for a capturing group,
    // its number.
    void showsTheTreeUnderTheWholePattern()
    {
        PatternExplanationModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 0);
        model.setExplanation(std::make_shared<PatternExplanation>(u"(?:a|(b))\\d"_s, 0));
        QCOMPARE(model.rowCount(), 1);
        const QModelIndex whole = model.index(0, 0);
        QCOMPARE(model.rowCount(whole), 2);
        const QModelIndex outer = model.index(0, 0, whole);
        QCOMPARE(outer.data().toString(), u"(?:a|(b))"_s);
        QCOMPARE(outer.data(PatternExplanationModel::captureGroupRole).toInt(), 0);
        const QModelIndex alternation = model.index(0, 0, outer);
        const QModelIndex group = model.index(0, 0, model.index(1, 0, alternation));
        QCOMPARE(group.data().toString(), u"(b)"_s);
        QCOMPARE(group.data(PatternExplanationModel::captureGroupRole).toInt(), 1);
        QCOMPARE(group.data(PatternExplanationModel::rangeRole).toPoint(), QPoint(5, 3));
        QCOMPARE(model.parent(group).parent(), alternation);
        QCOMPARE(model.indexOfNode(model.nodeOfIndex(group)), group);
        QVERIFY(group.siblingAtColumn(PatternExplanationModel::meaningColumn).data().toString().contains(u"group 1"_s));
        model.setExplanation(std::make_shared<PatternExplanation>(u"x{2"_s, 0));
        QCOMPARE(model.rowCount(model.index(0, 0)), 1);
    }
};

QTEST_GUILESS_MAIN(tst_PatternExplanationModel)
#include "tst_PatternExplanationModel.moc"

#include "core/evaluation/ActiveGroupController.h"
#include "core/evaluation/ActiveGroupControllerDelegate.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class RecordingDelegate final : public ActiveGroupControllerDelegate
{
public:
    void activeGroupControllerDidChangeActiveGroup(ActiveGroupController *, int group) override
    {
        groups.append(group);
    }
    void activeGroupControllerDidSetShouldDisplayActiveGroupInfo(ActiveGroupController *, bool display) override
    {
        displays.append(display);
    }
    QList<int> groups;
    QList<bool> displays;
};

} // namespace

class tst_ActiveGroupController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void clampsAndDescribes_data()
    {
        QTest::addColumn<int>("activeGroup");
        QTest::addColumn<std::optional<int>>("maxNumberOfGroups");
        QTest::addColumn<int>("expectedGroup");
        QTest::addColumn<QString>("info");
        QTest::addColumn<bool>("display");
        QTest::addColumn<std::optional<qsizetype>>("matches");
        const std::optional<qsizetype> uncounted;
        QTest::addRow("beyond the groups is clamped")
            << 5 << std::optional(3) << 2 << u"highlighting group 2 of 2"_s << true << uncounted;
        QTest::addRow("whole match hides the box")
            << 0 << std::optional(4) << 0 << u"highlighting group 0 of 3"_s << false << uncounted;
        QTest::addRow("inside the groups is kept")
            << 2 << std::optional(4) << 2 << u"highlighting group 2 of 3"_s << true << uncounted;
        QTest::addRow("no matches") << 3 << std::optional<int>() << 0 << u"no matches found"_s << false << uncounted;
        QTest::addRow("one match is singular")
            << 1 << std::optional(2) << 1 << u"highlighting group 1 of 1 \u00B7 1 match"_s << true
            << std::optional<qsizetype>(1);
        QTest::addRow("large counts are grouped")
            << 1 << std::optional(4) << 1 << u"highlighting group 1 of 3 \u00B7 1,024 matches"_s << true
            << std::optional<qsizetype>(1024);
        QTest::addRow("a count without matches stays unsaid")
            << 0 << std::optional<int>() << 0 << u"no matches found"_s << false << std::optional<qsizetype>(0);
    }

    void clampsAndDescribes()
    {
        QFETCH(int, activeGroup);
        QFETCH(std::optional<int>, maxNumberOfGroups);
        ActiveGroupController controller;
        controller.setMaxNumberOfGroups(10);
        controller.setActiveGroup(activeGroup);
        RecordingDelegate delegate;
        controller.setDelegate(&delegate);
        controller.setMaxNumberOfGroups(maxNumberOfGroups);
        QFETCH(std::optional<qsizetype>, matches);
        controller.setNumberOfMatches(matches);
        controller.updateActiveGroupInfo();
        QTEST(controller.activeGroup(), "expectedGroup");
        QTEST(controller.activeGroupInfo(), "info");
        QTEST(controller.shouldDisplayActiveGroupInfo(), "display");
        QFETCH(int, expectedGroup);
        QCOMPARE(delegate.groups, expectedGroup == activeGroup ? QList<int>() : QList<int> {expectedGroup});
        QTEST(delegate.displays.last(), "display");
    }

    void stepping_data()
    {
        QTest::addColumn<std::optional<int>>("maxNumberOfGroups");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("expected");
        QTest::addRow("next at the last group refuses") << std::optional(3) << 2 << true << 2;
        QTest::addRow("next inside moves") << std::optional(3) << 1 << true << 2;
        QTest::addRow("next without results refuses") << std::optional<int>() << 0 << true << 0;
        QTest::addRow("previous at 0 refuses") << std::optional(3) << 0 << false << 0;
        QTest::addRow("previous from 1 moves") << std::optional(3) << 1 << false << 0;
    }

    void stepping()
    {
        QFETCH(std::optional<int>, maxNumberOfGroups);
        QFETCH(int, start);
        QFETCH(bool, forward);
        ActiveGroupController controller;
        controller.setMaxNumberOfGroups(std::optional(5));
        controller.setActiveGroup(start);
        controller.setMaxNumberOfGroups(maxNumberOfGroups);
        const bool moved = forward ? controller.highlightNextGroup() : controller.highlightPreviousGroup();
        QTEST(controller.activeGroup(), "expected");
        QFETCH(int, expected);
        QCOMPARE(moved, expected != start);
    }

    void settingTheSameGroupSendsNothing()
    {
        ActiveGroupController controller;
        RecordingDelegate delegate;
        controller.setDelegate(&delegate);
        controller.setActiveGroup(0);
        QVERIFY(delegate.groups.isEmpty());
        QVERIFY(delegate.displays.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ActiveGroupController)
#include "tst_ActiveGroupController.moc"

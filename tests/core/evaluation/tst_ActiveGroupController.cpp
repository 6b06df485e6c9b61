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
    // A step of 1 is a highlightNextGroup, of -1 a highlightPreviousGroup, after the groups and matches are set.
    void clampsStepsAndDescribes_data()
    {
        QTest::addColumn<int>("activeGroup");
        QTest::addColumn<std::optional<int>>("maxNumberOfGroups");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("expectedGroup");
        QTest::addColumn<QString>("info");
        QTest::addColumn<bool>("display");
        QTest::addColumn<std::optional<qsizetype>>("matches");
        const std::optional<qsizetype> uncounted;
        const std::optional<int> none;
        QTest::addRow("beyond the groups is clamped")
            << 5 << std::optional(3) << 0 << 2 << u"highlighting group 2 of 2"_s << true << uncounted;
        QTest::addRow("whole match hides the box")
            << 0 << std::optional(4) << 0 << 0 << u"highlighting group 0 of 3"_s << false << uncounted;
        QTest::addRow("inside the groups is kept")
            << 2 << std::optional(4) << 0 << 2 << u"highlighting group 2 of 3"_s << true << uncounted;
        QTest::addRow("no matches") << 3 << none << 0 << 0 << u"no matches found"_s << false << uncounted;
        QTest::addRow("one match is singular")
            << 1 << std::optional(2) << 0 << 1 << u"highlighting group 1 of 1 \u00B7 1 match"_s << true
            << std::optional<qsizetype>(1);
        QTest::addRow("large counts are grouped")
            << 1 << std::optional(4) << 0 << 1 << u"highlighting group 1 of 3 \u00B7 1,024 matches"_s << true
            << std::optional<qsizetype>(1024);
        QTest::addRow("a count without matches stays unsaid")
            << 0 << none << 0 << 0 << u"no matches found"_s << false << std::optional<qsizetype>(0);
        QTest::addRow("next at the last group refuses")
            << 2 << std::optional(3) << 1 << 2 << u"highlighting group 2 of 2"_s << true << uncounted;
        QTest::addRow("next inside moves")
            << 1 << std::optional(3) << 1 << 2 << u"highlighting group 2 of 2"_s << true << uncounted;
        QTest::addRow("next without results refuses")
            << 0 << none << 1 << 0 << u"no matches found"_s << false << uncounted;
        QTest::addRow("previous at 0 refuses")
            << 0 << std::optional(3) << -1 << 0 << u"highlighting group 0 of 2"_s << false << uncounted;
        QTest::addRow("previous from 1 moves")
            << 1 << std::optional(3) << -1 << 0 << u"highlighting group 0 of 2"_s << false << uncounted;
    }

    void clampsStepsAndDescribes()
    {
        QFETCH(int, activeGroup);
        QFETCH(std::optional<int>, maxNumberOfGroups);
        QFETCH(int, step);
        QFETCH(int, expectedGroup);
        QFETCH(std::optional<qsizetype>, matches);
        ActiveGroupController controller;
        controller.setMaxNumberOfGroups(10);
        controller.setActiveGroup(activeGroup);
        RecordingDelegate delegate;
        controller.setDelegate(&delegate);
        controller.setMaxNumberOfGroups(maxNumberOfGroups);
        controller.setNumberOfMatches(matches);
        controller.updateActiveGroupInfo();
        if (step != 0) {
            const bool moved = step > 0 ? controller.highlightNextGroup() : controller.highlightPreviousGroup();
            QCOMPARE(moved, expectedGroup != activeGroup);
        }
        QCOMPARE(controller.activeGroup(), expectedGroup);
        QTEST(controller.activeGroupInfo(), "info");
        QTEST(controller.shouldDisplayActiveGroupInfo(), "display");
        QCOMPARE(delegate.groups, expectedGroup == activeGroup ? QList<int>() : QList<int> {expectedGroup});
        QTEST(delegate.displays.last(), "display");
    }
};

QTEST_GUILESS_MAIN(tst_ActiveGroupController)
#include "tst_ActiveGroupController.moc"

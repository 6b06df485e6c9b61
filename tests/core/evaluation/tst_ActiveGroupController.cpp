#include "core/evaluation/ActiveGroupController.h"
#include "core/evaluation/ActiveGroupControllerDelegate.h"

#include "ExpectedOutput.h"

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
    // The cases are the file's lines: the active group among 10 groups, then the number of ranges per match and of
    // matches that are set, and a step; under each, what follows. "#" lines say what the cases show.
    void clampsStepsAndDescribes()
    {
        static const QRegularExpression header(
            u"^group (\\d+), ranges (\\d+|none)(?:, (\\d+) match(?:es)?)?(?:, (next|previous))?$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"active-group.txt"_s, header, [](const QRegularExpressionMatch &match, QString &out) {
                ActiveGroupController controller;
                controller.setMaxNumberOfGroups(10);
                controller.setActiveGroup(match.captured(1).toInt());
                RecordingDelegate delegate;
                controller.setDelegate(&delegate);
                controller.setMaxNumberOfGroups(
                    match.captured(2) == u"none" ? std::nullopt : std::optional(match.captured(2).toInt()));
                if (match.hasCaptured(3))
                    controller.setNumberOfMatches(match.captured(3).toLongLong());
                controller.updateActiveGroupInfo();
                if (match.hasCaptured(4)) {
                    const bool next = match.captured(4) == u"next";
                    const bool moved = next ? controller.highlightNextGroup() : controller.highlightPreviousGroup();
                    out += moved ? u"  moved\n"_s : u"  refused\n"_s;
                }
                QCOMPARE(delegate.displays.last(), controller.shouldDisplayActiveGroupInfo());
                QStringList reported;
                for (const int group : std::as_const(delegate.groups))
                    reported << QString::number(group);
                out += u"  group %1 (reported: %2), %3 \"%4\"\n"_s.arg(controller.activeGroup())
                           .arg(reported.isEmpty() ? u"none"_s : reported.join(u", "_s),
                                controller.shouldDisplayActiveGroupInfo() ? u"shows"_s : u"hides"_s,
                                controller.activeGroupInfo());
            });
        QVERIFY(cases > 10);
    }
};

QTEST_GUILESS_MAIN(tst_ActiveGroupController)
#include "tst_ActiveGroupController.moc"

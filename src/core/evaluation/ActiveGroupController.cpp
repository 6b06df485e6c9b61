#include "core/evaluation/ActiveGroupController.h"

#include "core/evaluation/ActiveGroupControllerDelegate.h"

#include <limits>

ActiveGroupController::ActiveGroupController(QObject *parent)
    : QObject(parent)
{
}

ActiveGroupController::~ActiveGroupController() = default;

void ActiveGroupController::setActiveGroup(int group)
{
    if (group == m_activeGroup)
        return;
    m_activeGroup = group;
    if (m_delegate)
        m_delegate->activeGroupControllerDidChangeActiveGroup(this, group);
    updateActiveGroupInfo();
}

void ActiveGroupController::setShouldDisplayActiveGroupInfo(bool shouldDisplay)
{
    m_shouldDisplayActiveGroupInfo = shouldDisplay;
    if (m_delegate)
        m_delegate->activeGroupControllerDidSetShouldDisplayActiveGroupInfo(this, shouldDisplay);
}

void ActiveGroupController::setActiveGroupInfo(const QString &info)
{
    if (info == m_activeGroupInfo)
        return;
    m_activeGroupInfo = info;
    Q_EMIT activeGroupInfoChanged(info);
}

void ActiveGroupController::updateActiveGroupInfo()
{
    if (m_maxNumberOfGroups) {
        const int count = *m_maxNumberOfGroups;
        const int last = count - 1;
        if (last < m_activeGroup)
            setActiveGroup(count < 1 ? 0 : last);
        setShouldDisplayActiveGroupInfo(m_activeGroup > 0);
        //: Information line; the numbers are the highlighted group and the number of capture groups
        QString info = tr("highlighting group %1 of %2").arg(m_activeGroup).arg(last);
        if (m_numberOfMatches) {
            info += QStringView(u" \u00B7 ");
            //: Appended to the information line: how many matches the pattern found
            info += tr("%Ln match(es)", nullptr,
                       int(qMin<qsizetype>(*m_numberOfMatches, std::numeric_limits<int>::max())));
        }
        setActiveGroupInfo(info);
        return;
    }
    //: Information line when the pattern finds nothing
    setActiveGroupInfo(tr("no matches found"));
    setActiveGroup(0);
    setShouldDisplayActiveGroupInfo(false);
}

bool ActiveGroupController::highlightNextGroup()
{
    if (!m_maxNumberOfGroups || m_activeGroup + 1 >= *m_maxNumberOfGroups) {
        return false;
    }
    setActiveGroup(m_activeGroup + 1);
    return true;
}

bool ActiveGroupController::highlightPreviousGroup()
{
    if (m_activeGroup < 1) {
        return false;
    }
    setActiveGroup(m_activeGroup - 1);
    return true;
}

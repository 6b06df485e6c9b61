#pragma once

#include <QObject>
#include <QString>

#include <optional>

class ActiveGroupControllerDelegate;

// Which capture group the user steps through (0 is the whole match), kept within the number of groups of the current
// results, and the information line that names it.
class ActiveGroupController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ActiveGroupController)
    Q_PROPERTY(QString activeGroupInfo READ activeGroupInfo NOTIFY activeGroupInfoChanged)

public:
    explicit ActiveGroupController(QObject *parent = nullptr);
    ~ActiveGroupController() override;

    ActiveGroupControllerDelegate *delegate() const { return m_delegate; }
    void setDelegate(ActiveGroupControllerDelegate *delegate) { m_delegate = delegate; }

    int activeGroup() const { return m_activeGroup; }
    void setActiveGroup(int group);
    QString activeGroupInfo() const { return m_activeGroupInfo; }
    bool shouldDisplayActiveGroupInfo() const { return m_shouldDisplayActiveGroupInfo; }
    void setShouldDisplayActiveGroupInfo(bool shouldDisplay);
    // Ranges per match of the current results (groups + 1); none without matches.
    std::optional<int> maxNumberOfGroups() const { return m_maxNumberOfGroups; }
    void setMaxNumberOfGroups(std::optional<int> count) { m_maxNumberOfGroups = count; }
    // Appended to the information line while there are results; none leaves it out.
    std::optional<qsizetype> numberOfMatches() const { return m_numberOfMatches; }
    void setNumberOfMatches(std::optional<qsizetype> count) { m_numberOfMatches = count; }
    void updateActiveGroupInfo();

    // The stepping commands: they never leave the groups and never wrap. False when refused; the caller beeps.
    bool highlightNextGroup();
    bool highlightPreviousGroup();

Q_SIGNALS:
    void activeGroupInfoChanged(const QString &info);

private:
    void setActiveGroupInfo(const QString &info);

    ActiveGroupControllerDelegate *m_delegate = nullptr;
    int m_activeGroup = 0;
    QString m_activeGroupInfo;
    bool m_shouldDisplayActiveGroupInfo = false;
    std::optional<int> m_maxNumberOfGroups;
    std::optional<qsizetype> m_numberOfMatches;
};

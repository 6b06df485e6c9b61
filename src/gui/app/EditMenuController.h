#pragma once

#include "gui/widgets/EditCommands.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <array>

class QAction;
class QWidget;

// Undo, Redo, Cut, Copy, Paste and Select All of the Edit menu: each acts on the focused widget and is enabled only
// while it applies there. Text fields take them through their own functions, other widgets through their
// EditCommands; a widget with neither takes none.
class EditMenuController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditMenuController)

public:
    using Command = EditCommands::Command;

    explicit EditMenuController(QObject *parent = nullptr);
    ~EditMenuController() override;

    // The menu's action for the command: enabled from now on while the command applies.
    void setAction(Command command, QAction *action);

    bool applies(Command command) const;
    // Does nothing unless the command applies.
    void perform(Command command);

private:
    void focusChanged(QWidget *now);
    void follow(QWidget *widget);
    void updateActions();

    QPointer<QWidget> m_target;
    QList<QMetaObject::Connection> m_targetConnections;
    std::array<QPointer<QAction>, EditCommands::commandCount> m_actions;
};

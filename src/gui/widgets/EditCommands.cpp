#include "gui/widgets/EditCommands.h"

#include <QWidget>

EditCommands::EditCommands(QWidget *widget)
    : QObject(widget)
{
}

EditCommands::~EditCommands() = default;

EditCommands *EditCommands::of(const QWidget *widget)
{
    return widget ? widget->findChild<EditCommands *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void EditCommands::set(Command command, Applies applies, Perform perform)
{
    m_entries.at(std::size_t(command)) = {std::move(applies), std::move(perform)};
}

bool EditCommands::applies(Command command) const
{
    const Entry &entry = m_entries.at(std::size_t(command));
    return entry.applies && entry.perform && entry.applies();
}

void EditCommands::perform(Command command) const
{
    if (applies(command))
        m_entries.at(std::size_t(command)).perform();
}

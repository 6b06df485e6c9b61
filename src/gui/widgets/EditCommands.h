#pragma once

#include <QObject>

#include <array>
#include <functional>

class QWidget;

// The Edit menu's commands for a widget that is not a text field but takes some of them: which apply now and what
// they do. The widget makes one as its child; the menu finds it on the focused widget and follows changed(), which
// the widget emits (or connects its own signals to) whenever what applies may have changed.
class EditCommands final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditCommands)

public:
    enum class Command { undo, redo, cut, copy, paste, selectAll };
    static constexpr int commandCount = 6;

    using Applies = std::function<bool()>;
    using Perform = std::function<void()>;

    explicit EditCommands(QWidget *widget);
    ~EditCommands() override;

    // The commands of the widget itself, none when it has none.
    static EditCommands *of(const QWidget *widget);

    // A command never set does not apply.
    void set(Command command, Applies applies, Perform perform);
    bool applies(Command command) const;
    // Does nothing unless the command applies.
    void perform(Command command) const;

Q_SIGNALS:
    void changed();

private:
    struct Entry
    {
        Applies applies;
        Perform perform;
    };
    std::array<Entry, commandCount> m_entries;
};

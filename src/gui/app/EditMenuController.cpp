#include "gui/app/EditMenuController.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <optional>

namespace {

using Command = EditCommands::Command;

// What a text field allows now.
struct TextState
{
    bool editable = false;
    bool copyableSelection = false;
    bool undo = false;
    bool redo = false;
    bool paste = false;
    bool hasText = false;
};

template<typename TextView> TextState textViewState(const TextView *view)
{
    const QTextDocument *document = view->document();
    return {!view->isReadOnly(),
            view->textCursor().hasSelection(),
            !view->isReadOnly() && document->isUndoAvailable(),
            !view->isReadOnly() && document->isRedoAvailable(),
            view->canPaste(),
            !document->isEmpty()};
}

std::optional<TextState> textStateOf(const QWidget *widget)
{
    if (const auto *field = qobject_cast<const QLineEdit *>(widget)) {
        // A password's characters are never handed out.
        const bool shown = field->echoMode() == QLineEdit::Normal;
        return TextState {!field->isReadOnly(),
                          shown && field->hasSelectedText(),
                          field->isUndoAvailable(),
                          field->isRedoAvailable(),
                          !field->isReadOnly() && !QGuiApplication::clipboard()->text().isEmpty(),
                          !field->text().isEmpty()};
    }
    if (const auto *view = qobject_cast<const QPlainTextEdit *>(widget))
        return textViewState(view);
    if (const auto *view = qobject_cast<const QTextEdit *>(widget))
        return textViewState(view);
    return std::nullopt;
}

bool textApplies(const TextState &state, Command command)
{
    switch (command) {
    case Command::undo:
        return state.undo;
    case Command::redo:
        return state.redo;
    case Command::cut:
        return state.editable && state.copyableSelection;
    case Command::copy:
        return state.copyableSelection;
    case Command::paste:
        return state.paste;
    case Command::selectAll:
        return state.hasText;
    }
    return false;
}

template<typename Text> bool performOnText(QWidget *widget, Command command)
{
    auto *text = qobject_cast<Text *>(widget);
    if (!text)
        return false;
    switch (command) {
    case Command::undo:
        text->undo();
        break;
    case Command::redo:
        text->redo();
        break;
    case Command::cut:
        text->cut();
        break;
    case Command::copy:
        text->copy();
        break;
    case Command::paste:
        text->paste();
        break;
    case Command::selectAll:
        text->selectAll();
        break;
    }
    return true;
}

} // namespace

EditMenuController::EditMenuController(QObject *parent)
    : QObject(parent)
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusChanged(now); });
    // Paste follows the clipboard whatever has the focus.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &EditMenuController::updateActions);
    follow(QApplication::focusWidget());
}

EditMenuController::~EditMenuController() = default;

void EditMenuController::setAction(Command command, QAction *action)
{
    m_actions.at(std::size_t(command)) = action;
    if (action)
        action->setEnabled(applies(command));
}

bool EditMenuController::applies(Command command) const
{
    if (!m_target)
        return false;
    if (const std::optional<TextState> state = textStateOf(m_target))
        return textApplies(*state, command);
    const EditCommands *commands = EditCommands::of(m_target);
    return commands && commands->applies(command);
}

void EditMenuController::perform(Command command)
{
    if (!applies(command))
        return;
    if (performOnText<QLineEdit>(m_target, command) || performOnText<QPlainTextEdit>(m_target, command)
        || performOnText<QTextEdit>(m_target, command))
        return;
    if (const EditCommands *commands = EditCommands::of(m_target))
        commands->perform(command);
}

void EditMenuController::focusChanged(QWidget *now)
{
    // An open menu takes the focus only while it is open; its commands are for the widget that had it before.
    if (now && now->window()->windowFlags().testFlag(Qt::Popup))
        return;
    follow(now);
}

void EditMenuController::follow(QWidget *widget)
{
    for (const QMetaObject::Connection &connection : std::as_const(m_targetConnections))
        disconnect(connection);
    m_targetConnections.clear();
    m_target = widget;
    const auto update = [this] { updateActions(); };
    if (auto *field = qobject_cast<QLineEdit *>(widget)) {
        m_targetConnections << connect(field, &QLineEdit::textChanged, this, update)
                            << connect(field, &QLineEdit::selectionChanged, this, update);
    } else if (auto *view = qobject_cast<QPlainTextEdit *>(widget)) {
        m_targetConnections << connect(view, &QPlainTextEdit::textChanged, this, update)
                            << connect(view, &QPlainTextEdit::copyAvailable, this, update)
                            << connect(view, &QPlainTextEdit::undoAvailable, this, update)
                            << connect(view, &QPlainTextEdit::redoAvailable, this, update);
    } else if (auto *view = qobject_cast<QTextEdit *>(widget)) {
        m_targetConnections << connect(view, &QTextEdit::textChanged, this, update)
                            << connect(view, &QTextEdit::copyAvailable, this, update)
                            << connect(view, &QTextEdit::undoAvailable, this, update)
                            << connect(view, &QTextEdit::redoAvailable, this, update);
    } else if (EditCommands *commands = EditCommands::of(widget)) {
        m_targetConnections << connect(commands, &EditCommands::changed, this, update);
    }
    updateActions();
}

void EditMenuController::updateActions()
{
    for (std::size_t command = 0; command < m_actions.size(); ++command) {
        if (QAction *action = m_actions.at(command))
            action->setEnabled(applies(Command(command)));
    }
}

#include "core/library/ExpressionListModel.h"

#include "core/library/LibraryStoreController.h"

#include <QMimeData>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

class InsertCommand final : public QUndoCommand
{
public:
    InsertCommand(ExpressionListModel *model, int row, const ExpressionList &expressions)
        : m_model(model)
        , m_row(row)
        , m_expressions(expressions)
    {
    }

    void redo() override { m_model->insertExpressions(m_row, m_expressions); }
    void undo() override { m_model->removeExpressions(m_row, int(m_expressions.size())); }

private:
    ExpressionListModel *m_model;
    int m_row;
    ExpressionList m_expressions;
};

// Holds the removed expressions themselves, so that undoing brings each back with everything it had, where it was.
class RemoveCommand final : public QUndoCommand
{
public:
    RemoveCommand(ExpressionListModel *model, int row, const ExpressionList &expressions)
        : m_model(model)
        , m_row(row)
        , m_expressions(expressions)
    {
    }

    void redo() override { m_model->removeExpressions(m_row, int(m_expressions.size())); }
    void undo() override { m_model->insertExpressions(m_row, m_expressions); }

private:
    ExpressionListModel *m_model;
    int m_row;
    ExpressionList m_expressions;
};

class MoveCommand final : public QUndoCommand
{
public:
    MoveCommand(ExpressionListModel *model, int from, int to)
        : m_model(model)
        , m_from(from)
        , m_to(to)
    {
    }

    void redo() override { m_model->moveExpression(m_from, m_to); }
    void undo() override { m_model->moveExpression(m_to, m_from); }

private:
    ExpressionListModel *m_model;
    int m_from;
    int m_to;
};

class RenameCommand final : public QUndoCommand
{
public:
    RenameCommand(const std::shared_ptr<Expression> &expression, const QString &name)
        : m_expression(expression)
        , m_oldName(expression->name())
        , m_newName(name)
    {
    }

    void redo() override { m_expression->setName(m_newName); }
    void undo() override { m_expression->setName(m_oldName); }

private:
    std::shared_ptr<Expression> m_expression;
    QString m_oldName;
    QString m_newName;
};

} // namespace

QString ExpressionListModel::expressionItemDraggingType()
{
    return QStringLiteral("application/x-quorvale.Expression");
}

ExpressionListModel::ExpressionListModel(LibraryStoreController *controller, QObject *parent)
    : QAbstractListModel(parent)
    , m_controller(controller)
    , m_undoStack(new QUndoStack(this))
{
    m_undoStack->setObjectName(QStringLiteral("libraryUndoStack"));
    replaceList(controller->expressions());
    connect(controller, &LibraryStoreController::expressionsAboutToChange, this,
            &ExpressionListModel::listAboutToChange);
    connect(controller, &LibraryStoreController::expressionsChanged, this, &ExpressionListModel::listChanged);
}

ExpressionListModel::~ExpressionListModel() = default;

std::shared_ptr<Expression> ExpressionListModel::expressionAt(int row) const
{
    return row >= 0 && row < m_expressions.size() ? m_expressions.at(row) : nullptr;
}

int ExpressionListModel::rowOf(const Expression *expression) const
{
    for (qsizetype row = 0; row < m_expressions.size(); ++row) {
        if (m_expressions.at(row).get() == expression)
            return int(row);
    }
    return -1;
}

int ExpressionListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_expressions.size());
}

QVariant ExpressionListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Expression *expression = m_expressions.at(index.row()).get();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return expression->name();
    if (role == testsFailingRole)
        return m_testsFailing.contains(expression);
    if ((role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) && m_testsFailing.contains(expression)) {
        //: Tooltip and screen-reader description of a library row whose expression fails a test
        return tr("Some of its tests fail");
    }
    return {};
}

bool ExpressionListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    // The expression saves the library and tells us through its change signal.
    const std::shared_ptr<Expression> &expression = m_expressions.at(index.row());
    const QString name = value.toString();
    if (name == expression->name())
        expression->setName(name);
    else
        m_undoStack->push(new RenameCommand(expression, name));
    return true;
}

Qt::ItemFlags ExpressionListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled
        | Qt::ItemNeverHasChildren;
}

bool ExpressionListModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > m_expressions.size() || count < 1)
        return false;
    ExpressionList added;
    for (int i = 0; i < count; ++i)
        added.append(std::make_shared<Expression>());
    m_undoStack->push(new InsertCommand(this, row, added));
    return true;
}

bool ExpressionListModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > m_expressions.size())
        return false;
    m_undoStack->push(new RemoveCommand(this, row, m_expressions.mid(row, count)));
    return true;
}

void ExpressionListModel::insertExpressions(int row, const ExpressionList &expressions)
{
    ExpressionList changed = m_expressions;
    for (qsizetype i = 0; i < expressions.size(); ++i)
        changed.insert(row + i, expressions.at(i));
    m_pendingChange = Insertion {row, row + int(expressions.size()) - 1};
    m_controller->setExpressions(changed);
    m_pendingChange = std::monostate();
}

void ExpressionListModel::removeExpressions(int row, int count)
{
    ExpressionList changed = m_expressions;
    changed.remove(row, count);
    m_pendingChange = Removal {row, row + count - 1};
    m_controller->setExpressions(changed);
    m_pendingChange = std::monostate();
}

void ExpressionListModel::moveExpression(int from, int to)
{
    // The model's move counts the gap before the removal.
    m_pendingChange = Move {from, from < to ? to + 1 : to};
    m_controller->moveFrom(from, to);
    m_pendingChange = std::monostate();
}

QStringList ExpressionListModel::mimeTypes() const
{
    return {expressionItemDraggingType()};
}

QMimeData *ExpressionListModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty() || !checkIndex(indexes.constFirst(), CheckIndexOption::IndexIsValid))
        return nullptr;
    const int row = indexes.constFirst().row();
    m_draggingRow = row;
    auto *data = new QMimeData;
    data->setData(expressionItemDraggingType(), QByteArray::number(row));
    m_draggedData = data;
    return data;
}

Qt::DropActions ExpressionListModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions ExpressionListModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

bool ExpressionListModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                          const QModelIndex &parent) const
{
    // Data from another view or another program may carry our type too; only our own drag's object is trusted.
    if (!data || data != m_draggedData || !m_draggingRow || !data->hasFormat(expressionItemDraggingType()))
        return false;
    if (action != Qt::MoveAction || parent.isValid() || column > 0)
        return false;
    const int proposedRow = row < 0 ? rowCount() : row;
    return proposedRow <= rowCount() && proposedRow != *m_draggingRow;
}

bool ExpressionListModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                       const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    const int proposedRow = row < 0 ? rowCount() : row;
    const int from = *m_draggingRow;
    // The proposed row counts gaps before the removal, the destination after it.
    const int to = from < proposedRow ? proposedRow - 1 : proposedRow;
    if (from == to)
        moveExpression(from, to);
    else
        m_undoStack->push(new MoveCommand(this, from, to));
    return true;
}

void ExpressionListModel::listAboutToChange()
{
    if (const auto *insertion = std::get_if<Insertion>(&m_pendingChange)) {
        beginInsertRows({}, insertion->first, insertion->last);
        m_changeAnnounced = true;
    } else if (const auto *removal = std::get_if<Removal>(&m_pendingChange)) {
        beginRemoveRows({}, removal->first, removal->last);
        m_changeAnnounced = true;
    } else if (const auto *move = std::get_if<Move>(&m_pendingChange)) {
        // Refused for a move onto the row's own place, which changes nothing.
        m_changeAnnounced = beginMoveRows({}, move->from, move->from, {}, move->destinationChild);
    } else {
        beginResetModel();
        m_changeAnnounced = true;
    }
}

void ExpressionListModel::listChanged()
{
    const PendingChange change = std::exchange(m_pendingChange, std::monostate());
    replaceList(m_controller->expressions());
    if (!std::exchange(m_changeAnnounced, false))
        return;
    if (std::holds_alternative<Insertion>(change))
        endInsertRows();
    else if (std::holds_alternative<Removal>(change))
        endRemoveRows();
    else if (std::holds_alternative<Move>(change))
        endMoveRows();
    else {
        endResetModel();
        m_undoStack->clear();
    }
}

void ExpressionListModel::replaceList(const ExpressionList &expressions)
{
    for (const auto &expression : std::as_const(m_expressions))
        disconnect(expression.get(), nullptr, this, nullptr);
    m_expressions = expressions;
    for (const auto &expression : std::as_const(m_expressions)) {
        const Expression *raw = expression.get();
        connect(raw, &Expression::nameChanged, this, [this, raw] { nameChanged(raw); });
    }
    // A removed expression's mark goes with it; its tests run again should it come back.
    m_testsFailing.removeIf([this](const Expression *expression) { return rowOf(expression) < 0; });
}

void ExpressionListModel::setTestsFailing(const Expression *expression, bool failing)
{
    if (failing == m_testsFailing.contains(expression))
        return;
    if (failing)
        m_testsFailing.insert(expression);
    else
        m_testsFailing.remove(expression);
    const int row = rowOf(expression);
    if (row >= 0)
        Q_EMIT dataChanged(index(row), index(row), {testsFailingRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
}

void ExpressionListModel::nameChanged(const Expression *expression)
{
    const int row = rowOf(expression);
    if (row >= 0)
        Q_EMIT dataChanged(index(row), index(row), {Qt::DisplayRole, Qt::EditRole});
}

#include "core/library/ExpressionListModel.h"

#include "core/library/LibraryStoreController.h"

#include <QMimeData>

QString ExpressionListModel::expressionItemDraggingType()
{
    return QStringLiteral("application/x-quorvale.Expression");
}

ExpressionListModel::ExpressionListModel(LibraryStoreController *controller, QObject *parent)
    : QAbstractListModel(parent)
    , m_controller(controller)
{
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
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_expressions.at(index.row())->name();
    return {};
}

bool ExpressionListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    // The expression saves the library and tells us through its change signal.
    m_expressions.at(index.row())->setName(value.toString());
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
    ExpressionList expressions = m_expressions;
    for (int i = 0; i < count; ++i)
        expressions.insert(row, std::make_shared<Expression>());
    m_pendingChange = Insertion {row, row + count - 1};
    m_controller->setExpressions(expressions);
    m_pendingChange = std::monostate();
    return true;
}

bool ExpressionListModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > m_expressions.size())
        return false;
    ExpressionList expressions = m_expressions;
    expressions.remove(row, count);
    m_pendingChange = Removal {row, row + count - 1};
    m_controller->setExpressions(expressions);
    m_pendingChange = std::monostate();
    return true;
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
    m_pendingChange = Move {from, proposedRow};
    m_controller->moveFrom(from, to);
    m_pendingChange = std::monostate();
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
    else
        endResetModel();
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
}

void ExpressionListModel::nameChanged(const Expression *expression)
{
    const int row = rowOf(expression);
    if (row >= 0)
        Q_EMIT dataChanged(index(row), index(row), {Qt::DisplayRole, Qt::EditRole});
}

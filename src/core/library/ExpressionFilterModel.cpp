#include "core/library/ExpressionFilterModel.h"

#include "core/library/ExpressionListModel.h"

ExpressionFilterModel::ExpressionFilterModel(ExpressionListModel *expressions, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_expressions(expressions)
{
    setSourceModel(expressions);
}

ExpressionFilterModel::~ExpressionFilterModel() = default;

void ExpressionFilterModel::setFilterText(const QString &text)
{
    if (text == m_filterText)
        return;
    m_filterText = text;
    m_shownWhenSet.clear();
    for (int row = 0; row < m_expressions->rowCount(); ++row) {
        const std::shared_ptr<Expression> expression = m_expressions->expressionAt(row);
        if (matches(*expression))
            m_shownWhenSet.insert(expression.get());
    }
    invalidateRowsFilter();
}

int ExpressionFilterModel::libraryRow(int row) const
{
    return mapToSource(index(row, 0)).row();
}

int ExpressionFilterModel::rowOfLibraryRow(int libraryRow) const
{
    return mapFromSource(m_expressions->index(libraryRow)).row();
}

bool ExpressionFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_filterText.isEmpty())
        return true;
    const std::shared_ptr<Expression> expression = m_expressions->expressionAt(sourceRow);
    return expression && (m_shownWhenSet.contains(expression.get()) || matches(*expression));
}

bool ExpressionFilterModel::matches(const Expression &expression) const
{
    return expression.name().contains(m_filterText, Qt::CaseInsensitive)
        || expression.pattern().contains(m_filterText, Qt::CaseInsensitive);
}

QMimeData *ExpressionFilterModel::mimeData(const QModelIndexList &indexes) const
{
    QMimeData *data = QSortFilterProxyModel::mimeData(indexes);
    m_draggingRow = data ? std::optional(indexes.constFirst().row()) : std::nullopt;
    return data;
}

std::optional<int> ExpressionFilterModel::libraryGap(int row) const
{
    const int gap = row < 0 ? rowCount() : row;
    if (gap > rowCount() || gap == m_draggingRow)
        return std::nullopt;
    if (gap > 0)
        return libraryRow(gap - 1) + 1;
    return rowCount() > 0 ? libraryRow(0) : m_expressions->rowCount();
}

bool ExpressionFilterModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                            const QModelIndex &parent) const
{
    const std::optional<int> gap = libraryGap(row);
    return gap && m_expressions->canDropMimeData(data, action, *gap, column, mapToSource(parent));
}

bool ExpressionFilterModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                         const QModelIndex &parent)
{
    const std::optional<int> gap = libraryGap(row);
    return gap && m_expressions->dropMimeData(data, action, *gap, column, mapToSource(parent));
}

#include "core/pattern/PatternExplanationModel.h"

#include <QPoint>

namespace {

// Line breaks and tabs of a free-spacing pattern would break the row in two.
QString shownText(QString text)
{
    for (QChar &c : text) {
        if (c == u'\n' || c == u'\r' || c == QChar(0x2028) || c == QChar(0x2029) || c == QChar(0x85))
            c = QChar(0x21b5);
        else if (c == u'\t')
            c = QChar(0x2192);
    }
    return text;
}

} // namespace

PatternExplanationModel::PatternExplanationModel(QObject *parent)
    : QAbstractItemModel(parent)
{
}

PatternExplanationModel::~PatternExplanationModel() = default;

void PatternExplanationModel::setExplanation(std::shared_ptr<const PatternExplanation> explanation)
{
    beginResetModel();
    m_explanation = std::move(explanation);
    endResetModel();
}

// The root row stands for the whole pattern, so its description shows, and the top level has that one row.
void PatternExplanationModel::setElementFont(const QFont &font)
{
    m_elementFont = font;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, elementColumn), index(0, elementColumn), {Qt::FontRole});
}

QModelIndex PatternExplanationModel::indexOfNode(int node) const
{
    if (!m_explanation || node < 0)
        return {};
    const int row = node == PatternExplanation::root ? 0 : m_explanation->node(node).row;
    return createIndex(row, 0, quintptr(node));
}

int PatternExplanationModel::nodeOfIndex(const QModelIndex &index) const
{
    return index.isValid() ? int(index.internalId()) : -1;
}

QModelIndex PatternExplanationModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, quintptr(PatternExplanation::root));
    const int node = m_explanation->node(nodeOfIndex(parent)).children.at(row);
    return createIndex(row, column, quintptr(node));
}

QModelIndex PatternExplanationModel::parent(const QModelIndex &child) const
{
    const int node = nodeOfIndex(child);
    if (node <= PatternExplanation::root)
        return {};
    return indexOfNode(m_explanation->node(node).parent);
}

int PatternExplanationModel::rowCount(const QModelIndex &parent) const
{
    if (!m_explanation || (parent.isValid() && parent.column() != 0))
        return 0;
    if (!parent.isValid())
        return 1;
    return int(m_explanation->node(nodeOfIndex(parent)).children.size());
}

int PatternExplanationModel::columnCount(const QModelIndex &) const
{
    return columnCount_;
}

QVariant PatternExplanationModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int nodeIndex = nodeOfIndex(index);
    const PatternExplanation::Node &node = m_explanation->node(nodeIndex);
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == meaningColumn)
            return m_explanation->description(nodeIndex);
        // A long element shows its start; the meaning says what it is.
        return shownText(m_explanation->pattern().mid(node.range.location, std::min<qsizetype>(node.range.length, 80)));
    case Qt::ToolTipRole:
        return m_explanation->description(nodeIndex);
    case Qt::FontRole:
        if (index.column() == elementColumn && m_elementFont)
            return *m_elementFont;
        return {};
    case rangeRole:
        return QPoint(int(node.range.location), int(node.range.length));
    case captureGroupRole:
        return node.kind == PatternExplanation::NodeKind::group ? int(node.number) : 0;
    default:
        return {};
    }
}

QVariant PatternExplanationModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    //: Column headers of the pattern explanation
    return section == elementColumn ? tr("Element") : tr("Meaning");
}

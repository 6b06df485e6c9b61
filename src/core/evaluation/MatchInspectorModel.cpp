#include "core/evaluation/MatchInspectorModel.h"

#include <algorithm>
#include <limits>

namespace {

// A row's internal id: 0 for a match row, the match number + 1 for the group rows under it.
constexpr quintptr matchRowId = 0;

constexpr char16_t lineBreakSymbol = u'\u23CE';

} // namespace

MatchInspectorModel::MatchInspectorModel(QObject *parent)
    : QAbstractItemModel(parent)
{
}

MatchInspectorModel::~MatchInspectorModel() = default;

void MatchInspectorModel::setResults(const MatchResults &results, const QString &text, const QStringList &groupNames)
{
    beginResetModel();
    m_results = results;
    m_text = text;
    m_groupNames = groupNames;
    m_lineIndex.reset();
    m_fetchedMatches = std::min(listedMatches(), fetchBatchSize);
    endResetModel();
}

void MatchInspectorModel::clear()
{
    setResults({}, {}, {});
}

void MatchInspectorModel::setMaximumMatchRows(int rows)
{
    beginResetModel();
    m_maximumMatchRows = std::max(rows, 0);
    m_fetchedMatches = std::min(listedMatches(), fetchBatchSize);
    endResetModel();
}

int MatchInspectorModel::listedMatches() const
{
    return int(std::min<qsizetype>(m_results.count(), m_maximumMatchRows));
}

TextRange MatchInspectorModel::rangeForIndex(const QModelIndex &index) const
{
    const int group = groupForIndex(index);
    if (group < 0)
        return {};
    return m_results.range(matchForIndex(index), group);
}

// Also false for an index kept across a reset that no longer points at a row.
bool MatchInspectorModel::isOwnIndex(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this || index.column() < 0 || index.column() >= columns || index.row() < 0)
        return false;
    if (index.internalId() == matchRowId)
        return index.row() < m_fetchedMatches;
    return qsizetype(index.internalId() - 1) < m_fetchedMatches && index.row() < m_results.numberOfRanges() - 1;
}

int MatchInspectorModel::groupForIndex(const QModelIndex &index) const
{
    if (!isOwnIndex(index))
        return -1;
    return index.internalId() == matchRowId ? 0 : index.row() + 1;
}

qsizetype MatchInspectorModel::matchForIndex(const QModelIndex &index) const
{
    if (!isOwnIndex(index))
        return -1;
    return index.internalId() == matchRowId ? index.row() : qsizetype(index.internalId() - 1);
}

QModelIndex MatchInspectorModel::index(int row, int column, const QModelIndex &parent) const
{
    // Bounds checked here rather than through hasIndex(): a tree view calls this once per match on every reset.
    if (column < 0 || column >= columns || row < 0)
        return {};
    if (!parent.isValid())
        return row < m_fetchedMatches ? createIndex(row, column, matchRowId) : QModelIndex();
    if (parent.internalId() != matchRowId || parent.column() != 0 || row >= m_results.numberOfRanges() - 1)
        return {};
    return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex MatchInspectorModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == matchRowId)
        return {};
    return createIndex(int(child.internalId() - 1), 0, matchRowId);
}

int MatchInspectorModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_fetchedMatches;
    if (parent.internalId() == matchRowId && parent.column() == 0)
        return m_results.numberOfRanges() - 1;
    return 0;
}

int MatchInspectorModel::columnCount(const QModelIndex &) const
{
    return columns;
}

bool MatchInspectorModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

bool MatchInspectorModel::canFetchMore(const QModelIndex &parent) const
{
    // Views and testers ask again while the rows of a batch are being announced.
    return !parent.isValid() && !m_fetching && m_fetchedMatches < listedMatches();
}

void MatchInspectorModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    const int more = std::min(listedMatches() - m_fetchedMatches, fetchBatchSize);
    m_fetching = true;
    beginInsertRows({}, m_fetchedMatches, m_fetchedMatches + more - 1);
    m_fetchedMatches += more;
    endInsertRows();
    m_fetching = false;
}

QVariant MatchInspectorModel::data(const QModelIndex &index, int role) const
{
    if (!isOwnIndex(index))
        return {};
    const qsizetype match = matchForIndex(index);
    const int group = groupForIndex(index);
    if (role == Qt::ToolTipRole)
        return toolTip(match, group);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case numberColumn:
        return numberText(match, group);
    case rangeColumn:
        return rangeText(m_results.range(match, group));
    case textColumn:
        return shownText(m_results.range(match, group));
    default:
        return {};
    }
}

QVariant MatchInspectorModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case numberColumn:
        //: Inspector column: the match number, or the group's number or name
        return tr("Number");
    case rangeColumn:
        //: Inspector column: where a match or group lies in the text
        return tr("Range");
    case textColumn:
        //: Inspector column: the matched text
        return tr("Text");
    default:
        return {};
    }
}

Qt::ItemFlags MatchInspectorModel::flags(const QModelIndex &index) const
{
    if (!isOwnIndex(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Also for match rows without groups: a tree view then skips its per-row lookup of expanded rows on a reset.
    if (index.internalId() != matchRowId || m_results.numberOfRanges() == 1)
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QString MatchInspectorModel::numberText(qsizetype match, int group) const
{
    if (group == 0)
        return QString::number(match + 1);
    const QString name = m_groupNames.value(group);
    return name.isEmpty() ? QString::number(group) : name;
}

QString MatchInspectorModel::rangeText(const TextRange &range) const
{
    if (!range.isFound())
        //: Inspector: a capture group that matched nothing in this match
        return tr("did not take part");
    const TextLineIndex::Position start = lineIndex().position(range.location);
    //: Inspector range: line:column, then the UTF-16 offset and length
    return tr("%1:%2 (offset %3, length %4)").arg(start.line).arg(start.column).arg(range.location).arg(range.length);
}

QString MatchInspectorModel::shownText(const TextRange &range) const
{
    if (!range.fitsIn(m_text.size()))
        return {};
    qsizetype length = range.length;
    bool cut = false;
    if (length > maximumShownLength) {
        length = maximumShownLength;
        if (m_text.at(range.location + length - 1).isHighSurrogate())
            --length;
        cut = true;
    }
    const QStringView source = QStringView(m_text).sliced(range.location, length);
    QString shown;
    shown.reserve(length + 1);
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        if (c == u'\r' && i + 1 < source.size() && source.at(i + 1) == u'\n')
            continue;
        if (c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029')
            shown.append(QChar(lineBreakSymbol));
        else
            shown.append(c);
    }
    if (cut)
        shown.append(u'\u2026');
    return shown;
}

QString MatchInspectorModel::toolTip(qsizetype match, int group) const
{
    if (group == 0)
        //: Inspector tooltip of a match row
        return tr("Match %1").arg(match + 1);
    const QString name = m_groupNames.value(group);
    if (name.isEmpty())
        //: Inspector tooltip of a group row
        return tr("Group %1").arg(group);
    //: Inspector tooltip of a named group row: number, then name
    return tr("Group %1 \"%2\"").arg(QString::number(group), name);
}

const TextLineIndex &MatchInspectorModel::lineIndex() const
{
    if (!m_lineIndex)
        m_lineIndex.emplace(m_text);
    return *m_lineIndex;
}

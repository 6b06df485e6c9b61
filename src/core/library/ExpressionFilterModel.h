#pragma once

#include <QSet>
#include <QSortFilterProxyModel>

#include <optional>

class Expression;
class ExpressionListModel;

// The library list narrowed to the expressions whose name or pattern holds the filter text, ignoring case, in the
// library's order. A row shown when the filter text was set stays while it is renamed, so that a rename never hides
// the row under the user's hands; the next change of the filter text judges it anew. A dragged row dropped in a gap
// lands right after the shown row above the gap, so that the rows the user does not see keep their places.
class ExpressionFilterModel final : public QSortFilterProxyModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExpressionFilterModel)

public:
    explicit ExpressionFilterModel(ExpressionListModel *expressions, QObject *parent = nullptr);
    ~ExpressionFilterModel() override;

    QString filterText() const { return m_filterText; }
    void setFilterText(const QString &text);

    // The library's row of a row of this list, or -1.
    int libraryRow(int row) const;
    // The row of this list that shows the library's row, or -1 while the filter hides it.
    int rowOfLibraryRow(int libraryRow) const;

    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    bool matches(const Expression &expression) const;
    // The library's gap for a gap of this list (-1 on the root is the one after the last row); none for the dragged
    // row's own place.
    std::optional<int> libraryGap(int row) const;

    ExpressionListModel *m_expressions;
    QString m_filterText;
    QSet<const Expression *> m_shownWhenSet;
    mutable std::optional<int> m_draggingRow;
};

#pragma once

#include "core/pattern/PatternExplanation.h"

#include <QAbstractItemModel>
#include <QFont>

#include <memory>
#include <optional>

// A PatternExplanation as a tree for a view: the element's text in the first column, its meaning in the second. The
// words are made only for the rows the view shows.
class PatternExplanationModel final : public QAbstractItemModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PatternExplanationModel)

public:
    enum Column { elementColumn = 0, meaningColumn = 1, columnCount_ = 2 };
    enum Role {
        // The element's span in the pattern, as a TextRange's location and length in a QPoint (x, y).
        rangeRole = Qt::UserRole + 1,
        // The capture group number of a capturing group's row; 0 for every other row.
        captureGroupRole,
    };

    explicit PatternExplanationModel(QObject *parent = nullptr);
    ~PatternExplanationModel() override;

    const std::shared_ptr<const PatternExplanation> &explanation() const { return m_explanation; }
    void setExplanation(std::shared_ptr<const PatternExplanation> explanation);

    // The elements are shown in the pattern's own font, so that they read as they are typed.
    void setElementFont(const QFont &font);

    // The row of the node, for the view to select.
    QModelIndex indexOfNode(int node) const;
    int nodeOfIndex(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const PatternExplanation> m_explanation;
    std::optional<QFont> m_elementFont;
};

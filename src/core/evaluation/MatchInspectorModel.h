#pragma once

#include "core/evaluation/MatchResults.h"
#include "core/evaluation/TextLineIndex.h"

#include <QAbstractItemModel>
#include <QString>
#include <QStringList>

#include <limits>
#include <optional>

// The results of one evaluation as a tree: a top-level row per match, under it a row per capture group 1..n.
// Nothing is built per row: every cell is computed from the shared results and text when a view asks for it, so a
// reset costs the same for ten matches as for millions. Line numbers come from an index of line starts built on the
// first request for a range and kept until the next reset.
class MatchInspectorModel final : public QAbstractItemModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MatchInspectorModel)

public:
    enum Column { numberColumn, rangeColumn, textColumn };
    static constexpr int columns = 3;

    // Matched texts longer than this many UTF-16 units are cut and end in "…".
    static constexpr qsizetype maximumShownLength = 200;

    explicit MatchInspectorModel(QObject *parent = nullptr);
    ~MatchInspectorModel() override;

    // The results and the text they were found in. groupNames holds a name (or an empty string) per group number,
    // as CaptureGroupNames::of gives them; a shorter list leaves the other groups unnamed.
    void setResults(const MatchResults &results, const QString &text, const QStringList &groupNames = {});
    void clear();

    // At most this many match rows are listed, the first ones; a view keeps an entry per listed row. Resets.
    int maximumMatchRows() const { return m_maximumMatchRows; }
    void setMaximumMatchRows(int rows);
    // The number of match rows listed.
    int listedMatches() const;
    // Listed rows are handed to the view in batches of this many, more whenever it scrolls near the last one it
    // has: a view lays out all rows it has on every reset, and most of a million are never looked at.
    static constexpr int fetchBatchSize = 25000;

    const MatchResults &results() const { return m_results; }
    const QString &text() const { return m_text; }

    // The range of a match row (the whole match) or of a group row, in UTF-16 units of text(); not found for a group
    // that took no part and for an invalid index.
    TextRange rangeForIndex(const QModelIndex &index) const;
    // The group number of a group row, 0 for a match row, -1 for an invalid index.
    int groupForIndex(const QModelIndex &index) const;
    // The match a row belongs to, counted from 0; -1 for an invalid index.
    qsizetype matchForIndex(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    bool isOwnIndex(const QModelIndex &index) const;
    QString numberText(qsizetype match, int group) const;
    QString rangeText(const TextRange &range) const;
    QString shownText(const TextRange &range) const;
    QString toolTip(qsizetype match, int group) const;
    const TextLineIndex &lineIndex() const;

    MatchResults m_results;
    QString m_text;
    QStringList m_groupNames;
    mutable std::optional<TextLineIndex> m_lineIndex;
    int m_maximumMatchRows = std::numeric_limits<int>::max();
    int m_fetchedMatches = 0;
    bool m_fetching = false;
};

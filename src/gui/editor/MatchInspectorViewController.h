#pragma once

#include "core/evaluation/MatchResults.h"
#include "core/pattern/TextRange.h"
#include "core/settings/AppearanceControllerDelegate.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

#include <unicode/regex.h>

class AppearanceController;
class BoxView;
class MatchInspectorModel;
class QLabel;
class QModelIndex;
class QTreeView;
class QVBoxLayout;
class ViewSizeController;

// The panel below the sample text that lists the matches of the latest evaluation, each with its groups. It only
// reports what the user picks: a row's range, and a group row activated (double-click, Return) to be highlighted.
// While inactive (hidden) it only keeps the latest results: a tree view lays out every match row on a reset.
class MatchInspectorViewController final : public QWidget, public AppearanceControllerDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MatchInspectorViewController)

public:
    // The setting that shows the panel; hidden while it is unset.
    static QString shownKey();

    // The panel's fonts and margins follow the editor's sizes.
    explicit MatchInspectorViewController(ViewSizeController *sizes, QWidget *parent = nullptr);
    ~MatchInspectorViewController() override;

    using Pattern = std::shared_ptr<const icu::RegexPattern>;

    // The view keeps about 40 bytes and a step of every reset per listed match; beyond this the first are listed.
    static constexpr int maximumListedMatches = 1000000;

    bool isActive() const { return m_active; }
    void setActive(bool active);

    // The results, the text they were found in and the pattern that found them (for its group names).
    void setResults(const MatchResults &results, const QString &text, const Pattern &pattern);
    void clear();

    QTreeView *treeView() const { return m_treeView; }
    MatchInspectorModel *model() const { return m_model; }
    QLabel *countLabel() const { return m_countLabel; }

    // The selected rows as the view shows them, a line each with the columns between tabs; an open match row brings
    // its group rows along. The Edit menu's Copy while the list has the focus.
    QString selectedRowsText() const;

    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;

Q_SIGNALS:
    // Not found for a group that took no part.
    void rangeSelected(const TextRange &range);
    void groupActivated(int group);

private:
    void applyAppearance();
    void applySizes();
    void currentRowChanged(const QModelIndex &current);
    void rowActivated(const QModelIndex &index);
    void updateCount();
    void showResults();

    ViewSizeController *m_sizes = nullptr;
    bool m_active = false;
    // The latest results, shown once active.
    bool m_hasPendingResults = false;
    MatchResults m_results;
    QString m_text;
    Pattern m_pattern;
    const std::unique_ptr<AppearanceController> m_appearanceController;
    MatchInspectorModel *m_model = nullptr;
    QVBoxLayout *m_layout = nullptr;
    BoxView *m_box = nullptr;
    QTreeView *m_treeView = nullptr;
    QLabel *m_countLabel = nullptr;
};

#pragma once

#include "evaluation/TextRange.h"
#include "settings/AppearanceControllerDelegate.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class AppearanceController;
class BoxView;
class MatchInspectorModel;
class MatchResults;
class QLabel;
class QModelIndex;
class QTreeView;
class QVBoxLayout;
class ViewSizeController;

// The panel below the sample text that lists the matches of the latest evaluation, each with its groups. It only
// reports what the user picks: a row's range, and a group row activated (double-click, Return) to be highlighted.
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

    // The results and the text they were found in, with the group names of their pattern.
    void setResults(const MatchResults &results, const QString &text, const QStringList &groupNames);
    void clear();

    QTreeView *treeView() const { return m_treeView; }
    MatchInspectorModel *model() const { return m_model; }
    QLabel *countLabel() const { return m_countLabel; }

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

    ViewSizeController *m_sizes = nullptr;
    std::unique_ptr<AppearanceController> m_appearanceController;
    MatchInspectorModel *m_model = nullptr;
    QVBoxLayout *m_layout = nullptr;
    BoxView *m_box = nullptr;
    QTreeView *m_treeView = nullptr;
    QLabel *m_countLabel = nullptr;
};

#pragma once

#include "core/evaluation/RegularExpression.h"
#include "core/pattern/TextRange.h"
#include "core/settings/AppearanceControllerDelegate.h"

#include <QWidget>

#include <memory>

class AppearanceController;
class BoxView;
class PatternExplanation;
class PatternExplanationModel;
class QLabel;
class QModelIndex;
class QTreeView;
class QVBoxLayout;
class ViewSizeController;

// The panel below the sample text that explains the pattern element by element. The tree is made only when asked
// for: when the panel is shown, or for a tooltip over the pattern; a pattern past PatternExplanation::maximumLength
// gets a line that says so instead. It reports what the user picks: an element's span, and a capturing group made
// the active group (double-click, Return, or the context menu).
class PatternExplanationViewController final : public QWidget, public AppearanceControllerDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PatternExplanationViewController)

public:
    // The setting that shows the panel; hidden while it is unset.
    static QString shownKey();

    explicit PatternExplanationViewController(ViewSizeController *sizes, QWidget *parent = nullptr);
    ~PatternExplanationViewController() override;

    // Up to this length the tree opens all its rows.
    static constexpr qsizetype fullyExpandedLength = 500;

    bool isActive() const { return m_active; }
    void setActive(bool active);

    void setPattern(const QString &pattern);
    void setOptions(RegularExpressionOptions options);

    // The current pattern's tree, made now if it is out of date.
    std::shared_ptr<const PatternExplanation> explanation();
    // The meaning of the innermost element at a position of the pattern; empty where there is none.
    QString explanationAt(qsizetype position);

    QTreeView *treeView() const { return m_treeView; }
    PatternExplanationModel *model() const { return m_model; }

    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;

Q_SIGNALS:
    void rangeSelected(const TextRange &range);
    void groupActivated(int group);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void sizeElementColumn();
    void invalidate();
    void showExplanation();
    void currentRowChanged(const QModelIndex &current);
    void rowActivated(const QModelIndex &index);
    void showContextMenu(const QPoint &position);
    void applyAppearance();
    void applySizes();

    ViewSizeController *m_sizes = nullptr;
    bool m_active = false;
    QString m_pattern;
    RegularExpressionOptions m_options;
    std::shared_ptr<const PatternExplanation> m_explanation;
    bool m_shownIsCurrent = false;
    const std::unique_ptr<AppearanceController> m_appearanceController;
    PatternExplanationModel *m_model = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QLabel *m_titleLabel = nullptr;
    BoxView *m_box = nullptr;
    QTreeView *m_treeView = nullptr;
};

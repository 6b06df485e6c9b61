#include "gui/editor/MatchInspectorViewController.h"

#include "core/evaluation/CaptureGroupNames.h"
#include "core/evaluation/MatchInspectorModel.h"
#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "gui/editor/TreePanelStyle.h"
#include "gui/editor/ViewSizeController.h"
#include "gui/widgets/BoxView.h"
#include "gui/widgets/EditCommands.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>

#include <algorithm>

MatchInspectorViewController::MatchInspectorViewController(ViewSizeController *sizes, QWidget *parent)
    : QWidget(parent)
    , m_sizes(sizes)
    , m_appearanceController(std::make_unique<AppearanceController>(this))
{
    setObjectName(QStringLiteral("matchInspector"));
    m_model = new MatchInspectorModel(this);
    m_model->setObjectName(QStringLiteral("matchInspectorModel"));
    m_model->setMaximumMatchRows(maximumListedMatches);

    m_layout = new QVBoxLayout(this);
    m_layout->setSpacing(4);
    m_countLabel = new QLabel(this);
    m_countLabel->setObjectName(QStringLiteral("matchInspectorCountLabel"));
    m_layout->addWidget(m_countLabel);

    m_box = new BoxView(this);
    m_box->setObjectName(QStringLiteral("matchInspectorBox"));
    m_box->setCornerRadius(6);
    auto *boxLayout = new QVBoxLayout(m_box);
    boxLayout->setContentsMargins(4, 4, 4, 4);
    m_treeView = new QTreeView(m_box);
    m_treeView->setObjectName(QStringLiteral("matchInspectorView"));
    m_treeView->setAccessibleName(tr("Match inspector"));
    m_treeView->setAccessibleDescription(tr("Every match and its groups; choose one to select it in the sample text"));
    TreePanelStyle::setUpTreeView(m_treeView);
    m_treeView->setModel(m_model);
    QHeaderView *header = m_treeView->header();
    header->setSectionResizeMode(MatchInspectorModel::rangeColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(MatchInspectorModel::textColumn, QHeaderView::Stretch);
    boxLayout->addWidget(m_treeView);
    m_layout->addWidget(m_box, 1);

    connect(m_treeView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &MatchInspectorViewController::currentRowChanged);
    // A click on the current row selects its range again, after the user has selected something else.
    connect(m_treeView, &QAbstractItemView::clicked, this, &MatchInspectorViewController::currentRowChanged);
    connect(m_treeView, &QAbstractItemView::activated, this, &MatchInspectorViewController::rowActivated);
    auto *editCommands = new EditCommands(m_treeView);
    editCommands->set(
        EditCommands::Command::copy, [this] { return m_treeView->selectionModel()->hasSelection(); },
        [this] { QGuiApplication::clipboard()->setText(selectedRowsText()); });
    connect(m_treeView->selectionModel(), &QItemSelectionModel::selectionChanged, editCommands, &EditCommands::changed);
    // A reset drops the selection without reporting it.
    connect(m_model, &QAbstractItemModel::modelReset, editCommands, &EditCommands::changed);
    if (m_sizes)
        connect(m_sizes, &ViewSizeController::sizesApplied, this, &MatchInspectorViewController::applySizes);
    applySizes();
    applyAppearance();
    updateCount();
}

MatchInspectorViewController::~MatchInspectorViewController() = default;

QString MatchInspectorViewController::shownKey()
{
    return QStringLiteral("showMatchInspector");
}

void MatchInspectorViewController::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        showResults();
    } else if (!m_model->results().isEmpty()) {
        // Kept in m_results; the view's rows go until it is shown again.
        m_model->clear();
        m_hasPendingResults = true;
    }
}

void MatchInspectorViewController::setResults(const MatchResults &results, const QString &text, const Pattern &pattern)
{
    m_results = results;
    m_text = text;
    m_pattern = pattern;
    m_hasPendingResults = true;
    showResults();
}

void MatchInspectorViewController::showResults()
{
    if (!m_active || !m_hasPendingResults)
        return;
    m_hasPendingResults = false;
    m_model->setResults(m_results, m_text, m_pattern ? CaptureGroupNames::of(*m_pattern) : QStringList());
    // Without groups the match rows have nothing to expand.
    m_treeView->setRootIsDecorated(m_results.numberOfRanges() > 1);
    updateCount();
}

void MatchInspectorViewController::clear()
{
    m_results = {};
    m_text.clear();
    m_pattern.reset();
    m_hasPendingResults = false;
    m_model->clear();
    m_countLabel->clear();
}

void MatchInspectorViewController::updateCount()
{
    const qsizetype count = m_model->results().count();
    if (count == 0)
        //: Above the match inspector when the pattern finds nothing
        m_countLabel->setText(tr("no matches found"));
    else if (count == 1)
        //: Above the match inspector
        m_countLabel->setText(tr("1 match"));
    else if (count <= m_model->listedMatches())
        //: Above the match inspector: the number of matches
        m_countLabel->setText(tr("%L1 matches").arg(count));
    else
        //: Above the match inspector: the number of matches, and how many of them it lists
        m_countLabel->setText(tr("%L1 matches, the first %L2 listed").arg(count).arg(m_model->listedMatches()));
}

QString MatchInspectorViewController::selectedRowsText() const
{
    QModelIndexList rows = m_treeView->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [this](const QModelIndex &left, const QModelIndex &right) {
        return std::pair(m_model->matchForIndex(left), m_model->groupForIndex(left))
            < std::pair(m_model->matchForIndex(right), m_model->groupForIndex(right));
    });
    QStringList lines;
    const auto addLine = [this, &lines](const QModelIndex &row) {
        QStringList cells;
        for (int column = 0; column < MatchInspectorModel::columns; ++column)
            cells.append(m_model->index(row.row(), column, row.parent()).data().toString());
        lines.append(cells.join(u'\t'));
    };
    for (const QModelIndex &row : std::as_const(rows)) {
        addLine(row);
        if (m_model->groupForIndex(row) != 0 || !m_treeView->isExpanded(row))
            continue;
        for (int group = 0; group < m_model->rowCount(row); ++group) {
            const QModelIndex groupRow = m_model->index(group, 0, row);
            if (!rows.contains(groupRow))
                addLine(groupRow);
        }
    }
    return lines.join(u'\n');
}

void MatchInspectorViewController::currentRowChanged(const QModelIndex &current)
{
    if (m_model->groupForIndex(current) >= 0)
        Q_EMIT rangeSelected(m_model->rangeForIndex(current));
}

void MatchInspectorViewController::rowActivated(const QModelIndex &index)
{
    // A match row's activation only opens or closes it.
    const int group = m_model->groupForIndex(index);
    if (group > 0)
        Q_EMIT groupActivated(group);
}

void MatchInspectorViewController::appearanceDidChange(AppearanceController *, const Appearance &)
{
    applyAppearance();
}

void MatchInspectorViewController::applyAppearance()
{
    TreePanelStyle::applyAppearance(*m_appearanceController->appearance(), m_box, m_treeView, m_countLabel);
}

void MatchInspectorViewController::applySizes()
{
    TreePanelStyle::applySizes(m_sizes, m_layout, m_countLabel, m_treeView);
    const QFontMetrics metrics(m_treeView->font());
    m_treeView->header()->resizeSection(MatchInspectorModel::numberColumn,
                                        metrics.horizontalAdvance(QStringLiteral("0000000"))
                                            + 2 * m_treeView->indentation());
}

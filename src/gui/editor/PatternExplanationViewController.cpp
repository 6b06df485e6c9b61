#include "gui/editor/PatternExplanationViewController.h"

#include "core/pattern/PatternExplanation.h"
#include "core/pattern/PatternExplanationModel.h"
#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "gui/editor/TreePanelStyle.h"
#include "gui/editor/ViewSizeController.h"
#include "gui/widgets/BoxView.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPoint>
#include <QTreeView>

PatternExplanationViewController::PatternExplanationViewController(ViewSizeController *sizes, QWidget *parent)
    : QWidget(parent)
    , m_sizes(sizes)
    , m_appearanceController(std::make_unique<AppearanceController>(this))
{
    setObjectName(QStringLiteral("patternExplanation"));
    m_model = new PatternExplanationModel(this);
    m_model->setObjectName(QStringLiteral("patternExplanationModel"));

    m_layout = new QVBoxLayout(this);
    m_layout->setSpacing(4);
    //: Title of the panel that explains the pattern element by element
    m_titleLabel = new QLabel(tr("Explanation"), this);
    m_titleLabel->setObjectName(QStringLiteral("patternExplanationTitle"));
    m_layout->addWidget(m_titleLabel);

    m_box = new BoxView(this);
    m_box->setObjectName(QStringLiteral("patternExplanationBox"));
    m_box->setCornerRadius(6);
    auto *boxLayout = new QVBoxLayout(m_box);
    boxLayout->setContentsMargins(4, 4, 4, 4);
    m_treeView = new QTreeView(m_box);
    m_treeView->setObjectName(QStringLiteral("patternExplanationView"));
    m_treeView->setAccessibleName(tr("Explanation"));
    m_treeView->setAccessibleDescription(tr("The elements of the pattern in plain words"));
    TreePanelStyle::setUpTreeView(m_treeView);
    m_treeView->setContextMenuPolicy(Qt::CustomContextMenu);
    m_treeView->setModel(m_model);
    m_treeView->header()->setSectionResizeMode(PatternExplanationModel::meaningColumn, QHeaderView::Stretch);
    boxLayout->addWidget(m_treeView);
    m_layout->addWidget(m_box, 1);

    connect(m_treeView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &PatternExplanationViewController::currentRowChanged);
    // A click on the current row selects its span again, after the user has selected something else.
    connect(m_treeView, &QAbstractItemView::clicked, this, &PatternExplanationViewController::currentRowChanged);
    connect(m_treeView, &QAbstractItemView::activated, this, &PatternExplanationViewController::rowActivated);
    connect(m_treeView, &QWidget::customContextMenuRequested, this, &PatternExplanationViewController::showContextMenu);
    if (m_sizes)
        connect(m_sizes, &ViewSizeController::sizesApplied, this, &PatternExplanationViewController::applySizes);
    applySizes();
    applyAppearance();
}

PatternExplanationViewController::~PatternExplanationViewController() = default;

QString PatternExplanationViewController::shownKey()
{
    return QStringLiteral("showPatternExplanation");
}

void PatternExplanationViewController::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        showExplanation();
    } else {
        // The rows go while hidden; the tree is made again when it is next needed.
        m_model->setExplanation(nullptr);
        m_shownIsCurrent = false;
    }
}

void PatternExplanationViewController::setPattern(const QString &pattern)
{
    if (pattern == m_pattern)
        return;
    m_pattern = pattern;
    invalidate();
}

void PatternExplanationViewController::setOptions(RegularExpressionOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    invalidate();
}

void PatternExplanationViewController::invalidate()
{
    m_explanation.reset();
    m_shownIsCurrent = false;
    showExplanation();
}

std::shared_ptr<const PatternExplanation> PatternExplanationViewController::explanation()
{
    if (!m_explanation) {
        const uint32_t flags = RegularExpression::engineFlags(m_options);
        std::optional<PatternExplanation::Error> error;
        // Compiling a pattern too long to explain would hold up the interface thread for nothing.
        if (!m_pattern.isEmpty() && m_pattern.size() <= PatternExplanation::maximumLength) {
            const RegularExpression::CompileResult compiled = RegularExpression::compile(m_pattern, m_options);
            if (compiled.error) {
                //: In the pattern explanation: the reason and ICU's name of the error
                const QString message = compiled.error->reason.isEmpty()
                    ? compiled.error->message
                    : tr("%1 (%2)").arg(compiled.error->reason, compiled.error->message);
                error = PatternExplanation::Error {compiled.error->position, message};
            }
        }
        m_explanation = std::make_shared<const PatternExplanation>(m_pattern, flags, error);
    }
    return m_explanation;
}

QString PatternExplanationViewController::explanationAt(qsizetype position)
{
    const std::shared_ptr<const PatternExplanation> current = explanation();
    if (current->isTooLong() || position < 0 || position >= m_pattern.size())
        return {};
    const int node = current->nodeAt(position);
    return node == PatternExplanation::root ? QString() : current->description(node);
}

void PatternExplanationViewController::showExplanation()
{
    if (!m_active || m_shownIsCurrent)
        return;
    m_shownIsCurrent = true;
    m_model->setExplanation(explanation());
    // A short pattern all open; a long one three levels deep, enough to read its shape without a flood of rows.
    if (m_pattern.size() <= fullyExpandedLength)
        m_treeView->expandAll();
    else
        m_treeView->expandToDepth(2);
}

void PatternExplanationViewController::currentRowChanged(const QModelIndex &current)
{
    if (!current.isValid())
        return;
    const QPoint range = current.data(PatternExplanationModel::rangeRole).toPoint();
    Q_EMIT rangeSelected(TextRange {range.x(), range.y()});
}

void PatternExplanationViewController::rowActivated(const QModelIndex &index)
{
    const int group = index.data(PatternExplanationModel::captureGroupRole).toInt();
    if (group > 0)
        Q_EMIT groupActivated(group);
}

void PatternExplanationViewController::showContextMenu(const QPoint &position)
{
    const QModelIndex index = m_treeView->indexAt(position);
    const int group = index.data(PatternExplanationModel::captureGroupRole).toInt();
    if (group <= 0)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("patternExplanationMenu"));
    //: Context menu of a capturing group in the pattern explanation
    QAction *highlight = menu.addAction(tr("Highlight Group %1").arg(group));
    highlight->setObjectName(QStringLiteral("highlightGroupAction"));
    connect(highlight, &QAction::triggered, this, [this, group] { Q_EMIT groupActivated(group); });
    menu.exec(m_treeView->viewport()->mapToGlobal(position));
}

void PatternExplanationViewController::appearanceDidChange(AppearanceController *, const Appearance &)
{
    applyAppearance();
}

void PatternExplanationViewController::applyAppearance()
{
    TreePanelStyle::applyAppearance(*m_appearanceController->appearance(), m_box, m_treeView, m_titleLabel);
}

void PatternExplanationViewController::applySizes()
{
    TreePanelStyle::applySizes(m_sizes, m_layout, m_titleLabel, m_treeView);
    m_model->setElementFont(ViewSizeController::fixedPitchFont(m_treeView->font().pointSizeF()));
    sizeElementColumn();
}

void PatternExplanationViewController::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    sizeElementColumn();
}

// Room for a few levels of a typical token, but never more than a third of the view: the meaning needs the rest.
void PatternExplanationViewController::sizeElementColumn()
{
    const QFontMetrics metrics(
        ViewSizeController::fixedPitchFont(m_sizes ? m_sizes->fontSize() : ViewSizeController::normalFontSize));
    const int wanted = metrics.horizontalAdvance(QStringLiteral("(?<name>\\d{2,4})")) + 4 * m_treeView->indentation();
    m_treeView->header()->resizeSection(PatternExplanationModel::elementColumn,
                                        std::min(wanted, m_treeView->viewport()->width() / 3));
}

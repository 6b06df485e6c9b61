#include "gui/library/LibraryViewController.h"

#include "core/evaluation/LibraryTestMonitor.h"
#include "core/library/ExpressionListModel.h"
#include "core/library/LibraryStoreController.h"
#include "core/library/Paths.h"
#include "core/library/SelectedObjectsToExpressionTransformer.h"
#include "gui/library/LibraryTableRowView.h"
#include "gui/library/LibraryTableView.h"
#include "gui/widgets/EditCommands.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include <optional>

LibraryViewController::LibraryViewController(QWidget *parent)
    : LibraryViewController(Paths::libraryFilePath(), nullptr, parent)
{
}

LibraryViewController::LibraryViewController(const QString &libraryFilePath, SingleInstanceLock *lock, QWidget *parent)
    : QWidget(parent)
    , m_libraryStoreController(std::make_unique<LibraryStoreController>(libraryFilePath, lock))
    , m_alertPresenter([](QMessageBox *alert) { alert->open(); })
{
    setObjectName(QStringLiteral("libraryViewController"));
    m_model = new ExpressionListModel(m_libraryStoreController.get(), this);
    m_model->setObjectName(QStringLiteral("expressionsModel"));
    m_testMonitor = new LibraryTestMonitor(this);
    connect(m_testMonitor, &LibraryTestMonitor::failingChanged, m_model, &ExpressionListModel::setTestsFailing);
    connect(m_libraryStoreController.get(), &LibraryStoreController::expressionsChanged, m_testMonitor,
            [this] { m_testMonitor->setExpressions(m_libraryStoreController->expressions()); });
    m_testMonitor->setExpressions(m_libraryStoreController->expressions());
    buildInterface();
    // The editor shows an expression from the start, as long as the library has one.
    selectRow(0);
    updateSelectedExpression();
}

LibraryViewController::~LibraryViewController()
{
    // Before the store controller goes: the model and the view's selection model report into it and into us.
    delete m_tableView;
    delete m_model;
}

void LibraryViewController::setAlertPresenter(AlertPresenter presenter)
{
    m_alertPresenter = std::move(presenter);
}

void LibraryViewController::buildInterface()
{
    m_tableView = new LibraryTableView(this);
    m_tableView->setObjectName(QStringLiteral("libraryTableView"));
    m_tableView->setAccessibleName(tr("Expressions"));
    m_tableView->setAccessibleDescription(tr("The saved expressions; choose one to edit it"));
    m_tableView->setFrameShape(QFrame::NoFrame);
    m_tableView->viewport()->setBackgroundRole(QPalette::Window);
    m_tableView->setItemDelegate(new LibraryTableRowView(m_tableView));
    m_tableView->setModel(m_model);

    m_addButton = new QToolButton(this);
    m_addButton->setObjectName(QStringLiteral("addExpressionButton"));
    m_addButton->setText(QStringLiteral("+"));
    //: Tool tip of the button under the library list
    m_addButton->setToolTip(tr("Add a new expression"));
    m_addButton->setAccessibleName(tr("Add Expression"));
    m_addButton->setAutoRaise(true);
    m_removeButton = new QToolButton(this);
    m_removeButton->setObjectName(QStringLiteral("removeExpressionButton"));
    m_removeButton->setText(QStringLiteral("\u2212"));
    //: Tool tip of the button under the library list
    m_removeButton->setToolTip(tr("Delete the selected expression"));
    m_removeButton->setAccessibleName(tr("Delete Expression"));
    m_removeButton->setAutoRaise(true);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 4);
    buttons->setSpacing(0);
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_removeButton);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tableView, 1);
    layout->addLayout(buttons);

    connect(m_addButton, &QToolButton::clicked, this, &LibraryViewController::addExpression);
    connect(m_removeButton, &QToolButton::clicked, this, &LibraryViewController::deleteSelectedExpression);
    connect(m_tableView, &LibraryTableView::deleteRequested, this, &LibraryViewController::deleteSelectedExpression);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LibraryViewController::updateSelectedExpression);
    QUndoStack *history = m_model->undoStack();
    auto *editCommands = new EditCommands(m_tableView);
    editCommands->set(
        EditCommands::Command::undo, [history] { return history->canUndo(); }, [this] { undo(); });
    editCommands->set(
        EditCommands::Command::redo, [history] { return history->canRedo(); }, [this] { redo(); });
    connect(history, &QUndoStack::canUndoChanged, editCommands, &EditCommands::changed);
    connect(history, &QUndoStack::canRedoChanged, editCommands, &EditCommands::changed);
    // Some list changes drop the selection without reporting it.
    connect(m_model, &QAbstractItemModel::modelReset, this, &LibraryViewController::updateSelectedExpression);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &LibraryViewController::updateSelectedExpression);
}

void LibraryViewController::updateSelectedExpression()
{
    QObjectList selectedObjects;
    const QModelIndexList rows = m_tableView->selectionModel()->selectedRows();
    for (const QModelIndex &row : rows) {
        if (const std::shared_ptr<Expression> expression = m_model->expressionAt(row.row()))
            selectedObjects.append(expression.get());
    }
    Expression *selected = SelectedObjectsToExpressionTransformer::transformedValue(selectedObjects);
    m_removeButton->setEnabled(selected);
    if (selected == m_selectedExpression)
        return;
    m_selectedExpression = selected;
    Q_EMIT selectedExpressionChanged(selected);
}

void LibraryViewController::addExpression()
{
    const int row = m_model->rowCount();
    if (!m_model->insertRows(row, 1))
        return;
    const std::shared_ptr<Expression> added = m_model->expressionAt(row);
    selectRow(row);
    // The list settles before the editor opens. Renaming follows the new expression, not the selection, which the
    // user may have moved meanwhile; an expression deleted meanwhile is not renamed at all.
    QTimer::singleShot(renameAfterAddingDelay, this,
                       [this, expression = QPointer<Expression>(added.get())] { beginRenaming(expression); });
}

void LibraryViewController::beginRenaming(const Expression *expression)
{
    const int row = expression ? m_model->rowOf(expression) : -1;
    if (row < 0)
        return;
    const QModelIndex index = m_model->index(row);
    m_tableView->scrollTo(index);
    m_tableView->edit(index);
    if (auto *editor = qobject_cast<QLineEdit *>(m_tableView->indexWidget(index)))
        editor->selectAll();
}

void LibraryViewController::deleteSelectedExpression()
{
    if (!m_selectedExpression)
        return;
    const QPointer<Expression> expression = m_selectedExpression;
    auto *alert = new QMessageBox(window());
    alert->setObjectName(QStringLiteral("deleteExpressionAlert"));
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowModality(Qt::WindowModal);
    alert->setIcon(QMessageBox::Warning);
    //: User's trying to delete the selected expression
    alert->setText(tr("Are you sure you want to delete \"%1\" expression?").arg(expression->name()));
    QPushButton *yes = alert->addButton(tr("Yes"), QMessageBox::YesRole);
    QPushButton *no = alert->addButton(tr("No"), QMessageBox::NoRole);
    alert->setDefaultButton(yes);
    alert->setEscapeButton(no);
    connect(alert, &QMessageBox::buttonClicked, this, [this, expression, yes](QAbstractButton *button) {
        if (button == yes)
            removeExpression(expression);
    });
    m_alertPresenter(alert);
}

void LibraryViewController::removeExpression(const Expression *expression)
{
    const int row = expression ? m_model->rowOf(expression) : -1;
    if (row < 0)
        return;
    const bool wasSelected = expression == m_selectedExpression;
    m_model->removeRows(row, 1);
    // Like the platform's list controllers, keep a neighbour selected so that the editor is not left empty.
    if (wasSelected && !m_tableView->selectionModel()->hasSelection())
        selectRow(std::min(row, m_model->rowCount() - 1));
}

void LibraryViewController::undo()
{
    stepThroughHistory(true);
}

void LibraryViewController::redo()
{
    stepThroughHistory(false);
}

void LibraryViewController::stepThroughHistory(bool back)
{
    const bool hadSelection = m_tableView->selectionModel()->hasSelection();
    std::optional<int> inserted;
    const QMetaObject::Connection watch = connect(m_model, &QAbstractItemModel::rowsInserted, this,
                                                  [&inserted](const QModelIndex &, int first) { inserted = first; });
    if (back)
        m_model->undoStack()->undo();
    else
        m_model->undoStack()->redo();
    disconnect(watch);
    if (inserted) {
        selectRow(*inserted);
    } else if (hadSelection && !m_tableView->selectionModel()->hasSelection()) {
        // As after a delete: a neighbour of the row taken away, so that the editor is not left empty.
        const int current = m_tableView->currentIndex().row();
        selectRow(current >= 0 ? current : m_model->rowCount() - 1);
    }
}

void LibraryViewController::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_tableView->selectionModel()->setCurrentIndex(m_model->index(row), QItemSelectionModel::ClearAndSelect);
}

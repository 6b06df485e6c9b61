#include "gui/library/LibraryViewController.h"

#include "core/evaluation/LibraryTestMonitor.h"
#include "core/library/ExpressionFileImport.h"
#include "core/library/ExpressionFilterModel.h"
#include "core/library/ExpressionListModel.h"
#include "core/library/LibraryStoreController.h"
#include "core/library/Paths.h"
#include "core/library/SelectedObjectsToExpressionTransformer.h"
#include "gui/library/LibraryTableRowView.h"
#include "gui/library/LibraryTableView.h"
#include "gui/widgets/EditCommands.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
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
    m_filterModel = new ExpressionFilterModel(m_model, this);
    m_filterModel->setObjectName(QStringLiteral("expressionsFilterModel"));
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
    // Before the store controller goes: the models and the view's selection model report into it and into us.
    delete m_tableView;
    delete m_filterModel;
    delete m_model;
}

void LibraryViewController::setAlertPresenter(AlertPresenter presenter)
{
    m_alertPresenter = std::move(presenter);
}

void LibraryViewController::buildInterface()
{
    // Created first: it is above the list, and so comes first when Tab goes round.
    m_filterField = new QLineEdit(this);
    m_filterField->setObjectName(QStringLiteral("libraryFilterField"));
    //: Placeholder of the field above the library list that narrows it by name or pattern
    m_filterField->setPlaceholderText(tr("Filter"));
    m_filterField->setAccessibleName(tr("Filter Expressions"));
    m_filterField->setAccessibleDescription(tr("Shows only the expressions whose name or pattern holds this text"));
    m_filterField->setClearButtonEnabled(true);
    m_filterField->setFrame(false);
    m_filterField->setTextMargins(4, 2, 4, 2);
    m_filterField->installEventFilter(this);
    connect(m_filterField, &QLineEdit::textChanged, this, &LibraryViewController::filterTextChanged);

    m_tableView = new LibraryTableView(this);
    m_tableView->setObjectName(QStringLiteral("libraryTableView"));
    m_tableView->setAccessibleName(tr("Expressions"));
    m_tableView->setAccessibleDescription(tr("The saved expressions; choose one to edit it"));
    m_tableView->setFrameShape(QFrame::NoFrame);
    m_tableView->viewport()->setBackgroundRole(QPalette::Window);
    m_tableView->setItemDelegate(new LibraryTableRowView(m_tableView));
    m_tableView->setModel(m_filterModel);

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
    layout->addWidget(m_filterField);
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
    connect(m_filterModel, &QAbstractItemModel::modelReset, this, &LibraryViewController::updateSelectedExpression);
    connect(m_filterModel, &QAbstractItemModel::rowsRemoved, this, &LibraryViewController::updateSelectedExpression);
}

// Esc empties the filter field; in an empty field it goes back to the list. Taken before any shortcut of the window.
bool LibraryViewController::eventFilter(QObject *watched, QEvent *event)
{
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (watched != m_filterField || !key
        || static_cast<QKeyEvent *>(event)->keyCombination() != QKeyCombination(Qt::Key_Escape))
        return QWidget::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::ShortcutOverride)
        return false;
    if (m_filterField->text().isEmpty())
        m_tableView->setFocus();
    else
        m_filterField->clear();
    return true;
}

void LibraryViewController::focusFilter()
{
    m_filterField->setFocus(Qt::ShortcutFocusReason);
    m_filterField->selectAll();
}

void LibraryViewController::filterTextChanged(const QString &text)
{
    if (m_filterModel->filterText().isEmpty())
        m_selectedBeforeFiltering = m_selectedExpression;
    m_filterModel->setFilterText(text);
    if (m_tableView->selectionModel()->hasSelection())
        return;
    // The editor shows a match rather than nothing, and the expression it showed before once the filter is gone.
    if (text.isEmpty() && m_selectedBeforeFiltering)
        selectRow(m_model->rowOf(m_selectedBeforeFiltering));
    else
        selectShownRow(0);
}

void LibraryViewController::updateSelectedExpression()
{
    QObjectList selectedObjects;
    const QModelIndexList rows = m_tableView->selectionModel()->selectedRows();
    for (const QModelIndex &row : rows) {
        if (const std::shared_ptr<Expression> expression = m_model->expressionAt(m_filterModel->mapToSource(row).row()))
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
    const int row = expression ? m_filterModel->rowOfLibraryRow(m_model->rowOf(expression)) : -1;
    if (row < 0)
        return;
    const QModelIndex index = m_filterModel->index(row, 0);
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
    const int shownRow = m_filterModel->rowOfLibraryRow(row);
    m_model->removeRows(row, 1);
    // Like the platform's list controllers, keep a neighbour selected so that the editor is not left empty.
    if (wasSelected && !m_tableView->selectionModel()->hasSelection())
        selectShownRow(std::min(shownRow, m_filterModel->rowCount() - 1));
}

ExpressionList LibraryViewController::selectedExpressions() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_tableView->selectionModel()->selectedRows())
        rows.append(m_filterModel->mapToSource(index).row());
    std::sort(rows.begin(), rows.end());
    ExpressionList expressions;
    for (const int row : std::as_const(rows))
        expressions.append(m_model->expressionAt(row));
    return expressions;
}

void LibraryViewController::importExpressions(const QString &path)
{
    const QString fileName = QDir::toNativeSeparators(path);
    QStringList names;
    for (const auto &expression : m_libraryStoreController->expressions())
        names.append(expression->name());
    auto imported = ExpressionFileImport::read(path, names);
    if (!imported) {
        //: %1 is a file, %2 a clause such as "it is not valid JSON (unterminated object at byte 72)"
        showMessage(QMessageBox::Warning, QStringLiteral("importFailedMessage"),
                    tr("No expressions were imported from %1: %2.").arg(fileName, imported.error()));
        return;
    }
    const ExpressionList &added = imported.value().expressions;
    const int firstRow = m_model->rowCount();
    m_model->appendExpressions(added);
    selectRow(firstRow);
    //: %1 is a file
    QString summary = added.size() == 1
        ? tr("Imported 1 expression from %1.").arg(fileName)
        //: %1 is a file
        : tr("Imported %n expressions from %1.", nullptr, int(added.size())).arg(fileName);
    if (const qsizetype renamed = imported.value().renamedCount) {
        //: Follows "Imported 3 expressions from …"
        summary += u' '
            % (renamed == 1 ? tr("One was renamed, as the library already had its name.")
                            : tr("%n were renamed, as the library already had their names.", nullptr, int(renamed)));
    }
    showMessage(QMessageBox::Information, QStringLiteral("importedMessage"), summary);
}

bool LibraryViewController::exportSelectedExpressions(const QString &path)
{
    const ExpressionList expressions = selectedExpressions();
    if (expressions.isEmpty())
        return false;
    const std::optional<LibrarySaveFailure> failure = m_libraryStoreController->saveCopy(path, expressions);
    if (!failure)
        return true;
    //: %1 is a file, %2 the system's reason
    showMessage(QMessageBox::Warning, QStringLiteral("exportFailedMessage"),
                tr("The expressions could not be exported to %1: %2.")
                    .arg(QDir::toNativeSeparators(failure->filePath), failure->reason));
    return false;
}

void LibraryViewController::chooseFileToImport()
{
    //: Title of the file dialog of File › Import Expressions…
    const QString path = QFileDialog::getOpenFileName(window(), tr("Import Expressions"), QDir::homePath(),
                                                      tr("Expression libraries (*.json);;All files (*)"));
    if (!path.isEmpty())
        importExpressions(path);
}

void LibraryViewController::chooseFileToExport()
{
    if (selectedExpressions().isEmpty()) {
        QApplication::beep();
        return;
    }
    //: Title of the file dialog of File › Export Selected Expressions…; "Expressions.json" is the suggested name
    const QString path = QFileDialog::getSaveFileName(window(), tr("Export Selected Expressions"),
                                                      QDir::home().filePath(tr("Expressions.json")),
                                                      tr("Expression libraries (*.json)"));
    if (!path.isEmpty())
        exportSelectedExpressions(path);
}

void LibraryViewController::showMessage(QMessageBox::Icon icon, const QString &objectName, const QString &text)
{
    auto *box = new QMessageBox(icon, QStringLiteral("Quorvale"), text, QMessageBox::Ok, window());
    box->setObjectName(objectName);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    m_alertPresenter(box);
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
        selectShownRow(current >= 0 ? current : m_filterModel->rowCount() - 1);
    }
}

void LibraryViewController::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    if (m_filterModel->rowOfLibraryRow(row) < 0)
        m_filterField->clear();
    selectShownRow(m_filterModel->rowOfLibraryRow(row));
}

void LibraryViewController::selectShownRow(int row)
{
    if (row < 0 || row >= m_filterModel->rowCount())
        return;
    m_tableView->selectionModel()->setCurrentIndex(m_filterModel->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

#pragma once

#include "core/library/Expression.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class ExpressionListModel;
class LibraryTestMonitor;
class LibraryStoreController;
class LibraryTableView;
class QMessageBox;
class QModelIndex;
class QToolButton;
class SingleInstanceLock;

// The library panel: the list of expression names with add and remove buttons under it. Names are renamed in
// place, rows reordered by dragging, and the one selected expression is published for the editor.
class LibraryViewController final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LibraryViewController)
    Q_PROPERTY(Expression *selectedExpression READ selectedExpression NOTIFY selectedExpressionChanged)

public:
    static constexpr int renameAfterAddingDelay = 100;

    // Shows the library file of the user's data folder.
    explicit LibraryViewController(QWidget *parent = nullptr);
    // lock: the application's, held while the library is written; see LibraryStoreController.
    explicit LibraryViewController(const QString &libraryFilePath, SingleInstanceLock *lock = nullptr,
                                   QWidget *parent = nullptr);
    ~LibraryViewController() override;

    LibraryStoreController *libraryStoreController() const { return m_libraryStoreController.get(); }
    ExpressionListModel *expressionsModel() const { return m_model; }
    LibraryTableView *tableView() const { return m_tableView; }
    // Runs the tests of every expression, for the mark on the rows of those that fail.
    LibraryTestMonitor *testMonitor() const { return m_testMonitor; }

    // None unless exactly one row is selected.
    Expression *selectedExpression() const { return m_selectedExpression; }

    // Appends "New Expression", selects it and soon after opens its name for typing.
    void addExpression();
    // Asks in a window-modal box; "Yes" removes the expression that was selected when it opened.
    void deleteSelectedExpression();

    // Take back or make again the latest add, rename, reorder or delete; the Edit menu's Undo and Redo while the list
    // has the focus. An expression brought back is selected.
    void undo();
    void redo();

    // Shows the confirmation box; the default opens it window-modal. Tests answer it instead, by clicking one of its
    // buttons at once or later.
    using AlertPresenter = std::function<void(QMessageBox *alert)>;
    void setAlertPresenter(AlertPresenter presenter);

Q_SIGNALS:
    void selectedExpressionChanged(Expression *expression);

private:
    void buildInterface();
    void updateSelectedExpression();
    void beginRenaming(const Expression *expression);
    void removeExpression(const Expression *expression);
    void selectRow(int row);
    void stepThroughHistory(bool back);

    std::unique_ptr<LibraryStoreController> m_libraryStoreController;
    ExpressionListModel *m_model = nullptr;
    LibraryTestMonitor *m_testMonitor = nullptr;
    LibraryTableView *m_tableView = nullptr;
    QToolButton *m_addButton = nullptr;
    QToolButton *m_removeButton = nullptr;
    QPointer<Expression> m_selectedExpression;
    AlertPresenter m_alertPresenter;
};

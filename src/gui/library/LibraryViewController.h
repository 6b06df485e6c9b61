#pragma once

#include "core/library/Expression.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class ExpressionFilterModel;
class ExpressionListModel;
class LibraryTestMonitor;
class LibraryStoreController;
class LibraryTableView;
class QLineEdit;
class QModelIndex;
class QToolButton;
class SingleInstanceLock;

// The library panel: a filter field, the list of expression names, and add and remove buttons under it. Names are
// renamed in place, rows reordered by dragging, and the one selected expression is published for the editor. The
// filter only narrows what the list shows: every change reaches the whole library, in its own order.
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
    // What the list shows: the library through the filter.
    ExpressionFilterModel *filterModel() const { return m_filterModel; }
    QLineEdit *filterField() const { return m_filterField; }
    LibraryTableView *tableView() const { return m_tableView; }
    // Runs the tests of every expression, for the mark on the rows of those that fail.
    LibraryTestMonitor *testMonitor() const { return m_testMonitor; }

    // None unless exactly one row is selected.
    Expression *selectedExpression() const { return m_selectedExpression; }

    // Puts the focus in the filter field with its text selected, for typing a new filter.
    void focusFilter();

    // Appends "New Expression", selects it and soon after opens its name for typing.
    void addExpression();
    // Asks in a window-modal box; "Yes" removes the expression that was selected when it opened.
    void deleteSelectedExpression();

    // Adds every expression of a file in the library's form as one step of the undo stack, selects the first and
    // says how many came; a file that cannot be read in full adds nothing and says why.
    void importExpressions(const QString &path);
    // Writes the selected expressions to a file in the library's form, in the library's order; says why when that
    // fails. Returns whether the file was written.
    bool exportSelectedExpressions(const QString &path);
    // The same after asking for the file.
    void chooseFileToImport();
    void chooseFileToExport();

    // Take back or make again the latest add, rename, reorder or delete; the Edit menu's Undo and Redo while the list
    // has the focus. An expression brought back is selected.
    void undo();
    void redo();

    // Shows the confirmation box and the outcome of an import or export; the default opens it window-modal. Tests
    // answer it instead, by clicking one of its buttons at once or later.
    using AlertPresenter = std::function<void(QMessageBox *alert)>;
    void setAlertPresenter(AlertPresenter presenter);

Q_SIGNALS:
    void selectedExpressionChanged(Expression *expression);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildInterface();
    void updateSelectedExpression();
    ExpressionList selectedExpressions() const;
    void showMessage(QMessageBox::Icon icon, const QString &objectName, const QString &text);
    void filterTextChanged(const QString &text);
    void beginRenaming(const Expression *expression);
    void removeExpression(const Expression *expression);
    // A row of the library; the filter is cleared first when it hides the row.
    void selectRow(int row);
    // A row of the list as shown.
    void selectShownRow(int row);
    void stepThroughHistory(bool back);

    std::unique_ptr<LibraryStoreController> m_libraryStoreController;
    ExpressionListModel *m_model = nullptr;
    ExpressionFilterModel *m_filterModel = nullptr;
    QLineEdit *m_filterField = nullptr;
    LibraryTestMonitor *m_testMonitor = nullptr;
    LibraryTableView *m_tableView = nullptr;
    QToolButton *m_addButton = nullptr;
    QToolButton *m_removeButton = nullptr;
    QPointer<Expression> m_selectedExpression;
    // Selected again when the filter is cleared while it hides every row.
    QPointer<Expression> m_selectedBeforeFiltering;
    AlertPresenter m_alertPresenter;
};

#pragma once

#include "core/library/Expression.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QSet>

#include <optional>
#include <variant>

class LibraryStoreController;
class QMimeData;
class QUndoStack;

// The library as a one-column list of names. Names are edited in place; rows are inserted, removed and reordered
// through the store controller, which saves every change. Rows move by drag and drop inside the one view that
// started the drag only: a drop is accepted only for the data this model handed out for its last drag. Every change
// made through the model is a step of its undo stack; a change of the library made elsewhere clears the stack, whose
// steps count rows of the list as it was.
class ExpressionListModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExpressionListModel)

public:
    static QString expressionItemDraggingType();

    // True for a row whose expression has a failing test; its tooltip and accessible description say so too.
    static constexpr int testsFailingRole = Qt::UserRole + 1;

    explicit ExpressionListModel(LibraryStoreController *controller, QObject *parent = nullptr);
    ~ExpressionListModel() override;

    std::shared_ptr<Expression> expressionAt(int row) const;
    // -1 when the expression is not in the list.
    int rowOf(const Expression *expression) const;

    QUndoStack *undoStack() const { return m_undoStack; }

    // What the tests found, for testsFailingRole; it is not saved.
    void setTestsFailing(const Expression *expression, bool failing);

    // The changes themselves, for the steps of the undo stack; they add no step.
    void insertExpressions(int row, const ExpressionList &expressions);
    void removeExpressions(int row, int count);
    void moveExpression(int from, int to);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // New rows hold Expression() ("New Expression").
    bool insertRows(int row, int count, const QModelIndex &parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

    QStringList mimeTypes() const override;
    // Drags one row: the first of the indexes.
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    // Only between rows; -1 on the root stands for the gap after the last row.
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

private:
    struct Insertion
    {
        int first;
        int last;
    };
    struct Removal
    {
        int first;
        int last;
    };
    struct Move
    {
        int from;
        int destinationChild;
    };
    // What the next change of the controller's list is, when this model asked for it; any other change resets.
    using PendingChange = std::variant<std::monostate, Insertion, Removal, Move>;

    void listAboutToChange();
    void listChanged();
    void replaceList(const ExpressionList &expressions);
    void nameChanged(const Expression *expression);

    LibraryStoreController *m_controller;
    QUndoStack *m_undoStack = nullptr;
    ExpressionList m_expressions;
    PendingChange m_pendingChange;
    // Whether the begin call of the running change took effect, so that its end call matches.
    bool m_changeAnnounced = false;
    QSet<const Expression *> m_testsFailing;
    mutable std::optional<int> m_draggingRow;
    mutable QPointer<const QMimeData> m_draggedData;
};

#include "gui/library/LibraryTableView.h"

#include <QDrag>
#include <QKeyEvent>

LibraryTableView::LibraryTableView(QWidget *parent)
    : QListView(parent)
{
    // Several rows are selected for an export; the editor, deleting and dragging take one.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::SelectedClicked);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setDragDropOverwriteMode(false);
    setDropIndicatorShown(true);
    setUniformItemSizes(true);
}

LibraryTableView::~LibraryTableView() = default;

void LibraryTableView::keyPressEvent(QKeyEvent *event)
{
    if (state() != EditingState) {
        switch (event->key()) {
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            Q_EMIT deleteRequested();
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (currentIndex().isValid() && edit(currentIndex(), EditKeyPressed, event)) {
                event->accept();
                return;
            }
            break;
        default:
            break;
        }
    }
    QListView::keyPressEvent(event);
}

void LibraryTableView::startDrag(Qt::DropActions supportedActions)
{
    // The model has moved the row itself by the time the drag ends; the view's own clean-up after a move would
    // remove the source row a second time.
    const QModelIndexList indexes = selectedIndexes();
    if (indexes.size() != 1 || !(supportedActions & Qt::MoveAction))
        return;
    QMimeData *data = model()->mimeData(indexes);
    if (!data)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    const QRect rowRect = visualRect(indexes.constFirst());
    drag->setPixmap(viewport()->grab(rowRect));
    drag->setHotSpot(viewport()->mapFromGlobal(QCursor::pos()) - rowRect.topLeft());
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

#include "gui/library/LibraryTableRowView.h"

#include "core/library/ExpressionListModel.h"
#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"

#include <QApplication>
#include <QPainter>

LibraryTableRowView::LibraryTableRowView(QObject *parent)
    : QStyledItemDelegate(parent)
    , m_appearanceController(std::make_unique<AppearanceController>())
{
}

LibraryTableRowView::~LibraryTableRowView() = default;

void LibraryTableRowView::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    if (item.state & QStyle::State_Selected)
        painter->fillRect(item.rect, m_appearanceController->appearance()->librarySelectionColor().toQColor());
    item.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    item.rect.adjust(horizontalPadding, 0, -horizontalPadding, 0);
    if (index.data(ExpressionListModel::testsFailingRole).toBool()) {
        // A dot in the error colour at the end of the row; the name gives it room.
        const QRectF mark(item.rect.right() - failingMarkSize + 1, item.rect.center().y() - failingMarkSize / 2.0,
                          failingMarkSize, failingMarkSize);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(m_appearanceController->appearance()->errorColor().toQColor());
        painter->drawEllipse(mark);
        painter->restore();
        item.rect.adjust(0, 0, -failingMarkSize - horizontalPadding / 2, 0);
    }
    const QStyle *style = item.widget ? item.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
}

QSize LibraryTableRowView::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width() + 2 * horizontalPadding, rowHeight};
}

void LibraryTableRowView::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                               const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    item.rect.adjust(horizontalPadding, 0, -horizontalPadding, 0);
    QStyledItemDelegate::updateEditorGeometry(editor, item, index);
}

#include "gui/library/LibraryTableRowView.h"

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

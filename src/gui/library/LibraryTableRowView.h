#pragma once

#include <QStyledItemDelegate>

#include <memory>

class AppearanceController;

// Draws the library's rows: 32 pixels high, and the selected one filled with the palette's library selection colour
// instead of the style's own selection, so that its text keeps the normal text colour. A row whose expression fails a
// test ends in a dot of the error colour.
class LibraryTableRowView final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LibraryTableRowView)

public:
    // Logical pixels, which is what the desktop's points are: the device pixel ratio scales both alike.
    static constexpr int rowHeight = 32;
    static constexpr int horizontalPadding = 8;
    static constexpr int failingMarkSize = 8;

    explicit LibraryTableRowView(QObject *parent = nullptr);
    ~LibraryTableRowView() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    const std::unique_ptr<AppearanceController> m_appearanceController;
};

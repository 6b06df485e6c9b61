#include "gui/editor/TreePanelStyle.h"

#include "core/settings/Appearance.h"
#include "gui/editor/ViewSizeController.h"
#include "gui/widgets/BoxView.h"

#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QTreeView>

void TreePanelStyle::setUpTreeView(QTreeView *tree)
{
    // Every row as tall as the first: the view never measures a million rows one by one.
    tree->setUniformRowHeights(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setAllColumnsShowFocus(true);
    tree->setFrameShape(QFrame::NoFrame);
    tree->setTextElideMode(Qt::ElideRight);
    tree->viewport()->setAutoFillBackground(false);
    // Widths from the font and the view alone: sizing to contents would read every row.
    tree->header()->setSectionResizeMode(QHeaderView::Interactive);
    tree->header()->setSectionsMovable(false);
}

void TreePanelStyle::applyAppearance(const Appearance &palette, BoxView *box, QTreeView *tree, QLabel *title)
{
    box->setFillColor(palette.textBoxColor().toQColor());
    QPalette colors = tree->palette();
    colors.setColor(QPalette::Base, Qt::transparent);
    colors.setColor(QPalette::Text, palette.outputTextColor().toQColor());
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colors.setColor(group, QPalette::Highlight, palette.outputSelectionColor().toQColor());
        colors.setColor(group, QPalette::HighlightedText, palette.outputSelectedTextColor().toQColor());
    }
    tree->setPalette(colors);
    QPalette labelColors = title->palette();
    labelColors.setColor(QPalette::WindowText, palette.textColor().toQColor());
    title->setPalette(labelColors);
}

void TreePanelStyle::applySizes(const ViewSizeController *sizes, QLayout *layout, QLabel *title, QTreeView *tree)
{
    const qreal multiplier = sizes ? sizes->multiplier() : 1.0;
    const qreal fontSize = sizes ? sizes->fontSize() : ViewSizeController::normalFontSize;
    const qreal labelSize = sizes ? sizes->miniFontSize() : ViewSizeController::normalMiniFontSize;
    layout->setContentsMargins(qRound(16 * multiplier), qRound(4 * multiplier), qRound(16 * multiplier),
                               qRound(6 * multiplier));
    title->setFont(ViewSizeController::systemFont(labelSize));
    tree->setFont(ViewSizeController::systemFont(fontSize));
    tree->setIndentation(qRound(16 * multiplier));
}

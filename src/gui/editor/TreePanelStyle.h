#pragma once

class Appearance;
class BoxView;
class QLabel;
class QLayout;
class QTreeView;
class ViewSizeController;

// The look the editor's tree panels share (the match inspector, the explanation): a title above a box that holds a
// tree, coloured and sized like the sample text.
class TreePanelStyle final
{
public:
    TreePanelStyle() = delete;

    // Read-only rows selected one at a time, drawn on the box; columns the user may widen but not move.
    static void setUpTreeView(QTreeView *tree);

    static void applyAppearance(const Appearance &palette, BoxView *box, QTreeView *tree, QLabel *title);
    // Without sizes, the normal ones.
    static void applySizes(const ViewSizeController *sizes, QLayout *layout, QLabel *title, QTreeView *tree);
};

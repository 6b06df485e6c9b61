#pragma once

#include <QColor>
#include <QPalette>

class Appearance;

// The widget palette that goes with a palette of ours: window backgrounds (our stand-in for the translucent
// backgrounds of other desktops), and in the dark palette dark menus, scroll bars and controls too.
class ApplicationPalette final
{
public:
    static QColor backgroundColor(const Appearance &appearance);
    static QPalette palette(const Appearance &appearance);
    // Gives the whole application the palette, so that every window, menu and dialog follows it.
    static void apply(const Appearance &appearance);
};

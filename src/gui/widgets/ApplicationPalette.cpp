#include "gui/widgets/ApplicationPalette.h"

#include "core/settings/Appearance.h"

#include <QApplication>
#include <QStyle>

QColor ApplicationPalette::backgroundColor(const Appearance &appearance)
{
    return appearance.isDark() ? QColor(0x26, 0x26, 0x29) : QColor(0xf4, 0xf4, 0xf6);
}

QPalette ApplicationPalette::palette(const Appearance &appearance)
{
    QPalette colors = QApplication::style()->standardPalette();
    const QColor background = backgroundColor(appearance);
    const QColor text = appearance.plainTextColor().toQColor();
    colors.setColor(QPalette::Window, background);
    colors.setColor(QPalette::WindowText, text);
    colors.setColor(QPalette::Text, text);
    colors.setColor(QPalette::ButtonText, text);
    colors.setColor(QPalette::ToolTipText, text);
    colors.setColor(QPalette::PlaceholderText, appearance.placeholderColor().toQColor());
    colors.setColor(QPalette::Highlight, appearance.outputSelectionColor().toQColor());
    colors.setColor(QPalette::HighlightedText, appearance.outputSelectedTextColor().toQColor());
    colors.setColor(QPalette::Link, appearance.linkColor().toQColor());
    if (appearance.isDark()) {
        colors.setColor(QPalette::Base, QColor(0x1c, 0x1c, 0x1e));
        colors.setColor(QPalette::AlternateBase, QColor(0x2c, 0x2c, 0x2f));
        colors.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3d));
        colors.setColor(QPalette::ToolTipBase, QColor(0x3a, 0x3a, 0x3d));
        colors.setColor(QPalette::Light, QColor(0x55, 0x55, 0x58));
        colors.setColor(QPalette::Midlight, QColor(0x44, 0x44, 0x47));
        colors.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x33));
        colors.setColor(QPalette::Dark, QColor(0x18, 0x18, 0x1a));
        colors.setColor(QPalette::Shadow, QColor(0x00, 0x00, 0x00));
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            colors.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x84));
    }
    return colors;
}

void ApplicationPalette::apply(const Appearance &appearance)
{
    QApplication::setPalette(palette(appearance));
}

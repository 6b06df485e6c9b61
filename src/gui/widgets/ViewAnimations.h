#pragma once

class QWidget;

// The screen's show/hide fades and the focus flash, on a QGraphicsOpacityEffect owned by the widget.
class ViewAnimations final
{
public:
    static constexpr int hideAnimationMilliseconds = 300;

    // Fades the widget in or out; a duration of 0 switches at once. A fade-out hides the widget when it ends.
    static void setHidden(QWidget *widget, bool hidden, int durationMilliseconds = hideAnimationMilliseconds);
    // Whether the widget is, or is fading towards, hidden.
    static bool isHidden(const QWidget *widget);
    // Opacity 1 → 0.5 → 1 over 0.2 s each way, replacing a flash still running.
    static void flash(QWidget *widget);
};

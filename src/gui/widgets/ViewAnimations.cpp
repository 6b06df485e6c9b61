#include "gui/widgets/ViewAnimations.h"

#include <QGraphicsOpacityEffect>
#include <QList>
#include <QPointer>
#include <QPropertyAnimation>
#include <QWidget>

#include <algorithm>

namespace {

const char *const targetHiddenProperty = "quorvaleTargetHidden";
const char *const fadeAnimationName = "quorvaleFadeAnimation";
const char *const flashAnimationName = "opacityAnimation";

QGraphicsOpacityEffect *opacityEffect(QWidget *widget)
{
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(widget->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(widget);
        effect->setOpacity(1.0);
        widget->setGraphicsEffect(effect);
    }
    return effect;
}

void stopAnimation(QWidget *widget, const char *name)
{
    if (auto *running
        = widget->findChild<QPropertyAnimation *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly)) {
        running->stop();
        delete running;
    }
}

bool ancestorHasEffect(const QWidget *widget)
{
    for (const QWidget *parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        if (parent->graphicsEffect())
            return true;
    }
    return false;
}

bool descendantHasEffect(const QWidget *widget)
{
    const QList<QWidget *> children = widget->findChildren<QWidget *>();
    return std::any_of(children.cbegin(), children.cend(),
                       [](const QWidget *child) { return child->graphicsEffect(); });
}

// Ends the fades running inside the widget at their final state.
void finishDescendantFades(QWidget *widget)
{
    for (QPropertyAnimation *fade :
         widget->findChildren<QPropertyAnimation *>(QString::fromLatin1(fadeAnimationName))) {
        if (fade->parent() != widget)
            fade->setCurrentTime(fade->totalDuration());
    }
}

} // namespace

bool ViewAnimations::isHidden(const QWidget *widget)
{
    const QVariant target = widget->property(targetHiddenProperty);
    return target.isValid() ? target.toBool() : widget->isHidden();
}

void ViewAnimations::setHidden(QWidget *widget, bool hidden, int durationMilliseconds)
{
    if (!widget)
        return;
    widget->setProperty(targetHiddenProperty, hidden);
    stopAnimation(widget, fadeAnimationName);
    // Effects must not nest: the inner one would paint while the outer one's painter is still open.
    if (durationMilliseconds <= 0 || (hidden && widget->isHidden()) || ancestorHasEffect(widget)
        || descendantHasEffect(widget)) {
        widget->setGraphicsEffect(nullptr);
        widget->setHidden(hidden);
        return;
    }
    QGraphicsOpacityEffect *effect = opacityEffect(widget);
    if (!hidden && widget->isHidden()) {
        effect->setOpacity(0.0);
        widget->show();
    }
    auto *animation = new QPropertyAnimation(effect, "opacity", widget);
    animation->setObjectName(QString::fromLatin1(fadeAnimationName));
    animation->setDuration(durationMilliseconds);
    animation->setStartValue(effect->opacity());
    animation->setEndValue(hidden ? 0.0 : 1.0);
    QObject::connect(animation, &QPropertyAnimation::finished, widget, [widget, hidden] {
        if (ViewAnimations::isHidden(widget) != hidden)
            return;
        if (hidden)
            widget->hide();
        // A resting widget draws without the effect: its cached picture would not follow later changes of size.
        widget->setGraphicsEffect(nullptr);
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void ViewAnimations::flash(QWidget *widget)
{
    if (!widget)
        return;
    stopAnimation(widget, flashAnimationName);
    finishDescendantFades(widget);
    if (ancestorHasEffect(widget) || descendantHasEffect(widget))
        return;
    QGraphicsOpacityEffect *effect = opacityEffect(widget);
    auto *animation = new QPropertyAnimation(effect, "opacity", widget);
    animation->setObjectName(QString::fromLatin1(flashAnimationName));
    animation->setDuration(400);
    animation->setKeyValueAt(0.0, 1.0);
    animation->setKeyValueAt(0.5, 0.5);
    animation->setKeyValueAt(1.0, 1.0);
    QPointer<QWidget> guarded(widget);
    QObject::connect(animation, &QPropertyAnimation::finished, widget, [guarded] {
        if (guarded
            && !guarded->findChild<QPropertyAnimation *>(QString::fromLatin1(fadeAnimationName),
                                                         Qt::FindDirectChildrenOnly))
            guarded->setGraphicsEffect(nullptr);
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

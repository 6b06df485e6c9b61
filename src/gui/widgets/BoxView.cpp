#include "gui/widgets/BoxView.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

BoxView::BoxView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void BoxView::setFillColor(const QColor &color)
{
    m_fillColor = color;
    update();
}

void BoxView::setCornerRadius(qreal radius)
{
    m_cornerRadius = radius;
    update();
}

void BoxView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // Behind a text view, most repaints are clear of the corners: there the box is a plain fill, without the cost of
    // rasterising the rounded outline as a whole.
    const int radius = int(std::ceil(m_cornerRadius));
    if (rect().adjusted(radius, 0, -radius, 0).contains(event->rect())
        || rect().adjusted(0, radius, 0, -radius).contains(event->rect())) {
        painter.fillRect(event->rect(), m_fillColor);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_fillColor);
    painter.drawRoundedRect(QRectF(rect()), m_cornerRadius, m_cornerRadius);
}

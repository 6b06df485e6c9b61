#include "gui/widgets/BoxView.h"

#include <QPainter>

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

void BoxView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_fillColor);
    painter.drawRoundedRect(QRectF(rect()), m_cornerRadius, m_cornerRadius);
}

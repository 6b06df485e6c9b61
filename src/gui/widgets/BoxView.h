#pragma once

#include <QColor>
#include <QWidget>

// A filled, rounded box drawn behind other widgets.
class BoxView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoxView)

public:
    explicit BoxView(QWidget *parent = nullptr);

    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor &color);
    qreal cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(qreal radius);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fillColor = Qt::transparent;
    qreal m_cornerRadius = 0;
};

#pragma once

#include <QMargins>
#include <QtGlobal>

#include <functional>

// One distance of a screen's layout (a margin or an offset) whose constant can be changed at run time; setting it
// hands the value to whatever layout the owner tied it to.
class LayoutConstraint final
{
public:
    using Apply = std::function<void(qreal)>;

    explicit LayoutConstraint(qreal constant = 0, Apply apply = {})
        : m_constant(constant)
        , m_apply(std::move(apply))
    {
        if (m_apply)
            m_apply(m_constant);
    }

    // Sets the given edges of a layout's or a widget's contents margins to the value, rounded; the others stay.
    template<typename Target> static Apply margins(Target *target, Qt::Edges edges)
    {
        return [target, edges](qreal value) {
            QMargins margins = target->contentsMargins();
            const int pixels = qRound(value);
            if (edges & Qt::TopEdge)
                margins.setTop(pixels);
            if (edges & Qt::RightEdge)
                margins.setRight(pixels);
            if (edges & Qt::BottomEdge)
                margins.setBottom(pixels);
            if (edges & Qt::LeftEdge)
                margins.setLeft(pixels);
            target->setContentsMargins(margins);
        };
    }

    qreal constant() const { return m_constant; }
    void setConstant(qreal constant)
    {
        m_constant = constant;
        if (m_apply)
            m_apply(constant);
    }

private:
    qreal m_constant;
    Apply m_apply;
};

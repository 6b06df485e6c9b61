#pragma once

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

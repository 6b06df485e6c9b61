#pragma once

#include <QObjectList>

class Expression;

// Turns the objects of a list selection into the one selected expression.
class SelectedObjectsToExpressionTransformer final
{
public:
    SelectedObjectsToExpressionTransformer() = delete;

    // The expression when the selection holds exactly one object and that object is an expression; else none.
    static Expression *transformedValue(const QObjectList &selectedObjects);
};

#include "core/library/SelectedObjectsToExpressionTransformer.h"

#include "core/library/Expression.h"

Expression *SelectedObjectsToExpressionTransformer::transformedValue(const QObjectList &selectedObjects)
{
    return selectedObjects.size() == 1 ? qobject_cast<Expression *>(selectedObjects.constFirst()) : nullptr;
}

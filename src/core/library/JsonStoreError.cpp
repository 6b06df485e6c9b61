#include "core/library/JsonStoreError.h"

QString description(JsonStoreError error)
{
    switch (error) {
    case JsonStoreError::cannotSaveDataToFile:
        return QStringLiteral("cannotSaveDataToFile");
    }
    return {};
}

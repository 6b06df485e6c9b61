#include "core/library/JsonStoreError.h"

QString description(JsonStoreError error)
{
    switch (error) {
    case JsonStoreError::wrongFormatOfFile:
        return QStringLiteral("wrongFormatOfFile");
    case JsonStoreError::badFileStructure:
        return QStringLiteral("badFileStructure");
    case JsonStoreError::cannotSaveDataToFile:
        return QStringLiteral("cannotSaveDataToFile");
    case JsonStoreError::parsingError:
        return QStringLiteral("parsingError");
    }
    return {};
}

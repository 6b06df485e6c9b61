#pragma once

#include <QString>

enum class JsonStoreError {
    wrongFormatOfFile,
    badFileStructure,
    cannotSaveDataToFile,
    parsingError,
};

QString description(JsonStoreError error);

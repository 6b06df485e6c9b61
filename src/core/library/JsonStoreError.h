#pragma once

#include <QString>

enum class JsonStoreError {
    cannotSaveDataToFile,
};

QString description(JsonStoreError error);

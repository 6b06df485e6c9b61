#pragma once

#include "core/library/JsonStoreError.h"

#include <QString>

// A write of the library, or of a copy of it, that did not reach the disk in full: the file it was meant for and
// why, in words the user can act on.
struct LibrarySaveFailure final
{
    JsonStoreError error = JsonStoreError::cannotSaveDataToFile;
    QString filePath;
    QString reason;

    friend bool operator==(const LibrarySaveFailure &, const LibrarySaveFailure &) = default;
};

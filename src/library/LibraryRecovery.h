#pragma once

#include <QString>

// What happened to a library file that could not be read in full: where its untouched bytes were kept, and why.
struct LibraryRecovery final {
    QString libraryFilePath;
    // Empty while no copy could be made; the library file is then never written.
    QString keptCopyPath;
    QString reason;
};

#pragma once

#include <QString>

// What happened to a library file that could not be read in full: where its untouched bytes were kept, and why.
struct LibraryRecovery final
{
    QString libraryFilePath;
    // Empty while no copy could be made; the library file is then never written.
    QString keptCopyPath;
    // A clause that completes "The library file could not be read: ", e.g. "it is not valid JSON (…)".
    QString reason;
    // The expressions that could be read from it.
    qsizetype recoveredCount = 0;
};

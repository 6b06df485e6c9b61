#pragma once

#include <QString>

// Where the library lives: the per-user application data folder of organisation and application "Quorvale",
// which the application sets before anything asks.
class Paths final
{
public:
    Paths() = delete;

    // Computed once on first use; empty when the platform offers no such folder.
    static QString applicationSupportPath();
    static QString libraryFilePath();
};

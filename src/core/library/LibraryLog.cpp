#include "core/library/LibraryLog.h"

Q_LOGGING_CATEGORY(lcLibrary, "quorvale.library")

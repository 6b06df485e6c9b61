#include "core/platform/Translations.h"

#include <QCoreApplication>

namespace {

// Every test reads the texts as the program shows them in the C.UTF-8 locale: English, with its plural forms.
void installTranslations()
{
    Translations::install();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installTranslations)

#include "core/platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

void installLoaded(QTranslator *translator, bool loaded)
{
    if (loaded)
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void Translations::install(const QLocale &locale)
{
    QCoreApplication *application = QCoreApplication::instance();
    const QString ownFolder = QStringLiteral(":/i18n");
    auto *own = new QTranslator(application);
    installLoaded(own,
                  own->load(locale, QStringLiteral("quorvale"), QStringLiteral("_"), ownFolder)
                      || own->load(QStringLiteral("quorvale_en"), ownFolder));
    auto *qt = new QTranslator(application);
    installLoaded(qt,
                  qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
}

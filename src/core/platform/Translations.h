#pragma once

#include <QLocale>

// Installs Quorvale's translation and Qt's own for the language of a locale. English is the source language: any
// language without a translation reads English, with English plural forms.
class Translations final
{
public:
    static void install(const QLocale &locale = QLocale());
};

#pragma once

#include "core/evaluation/RegularExpression.h"

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QString>

// Source code that compiles a pattern with the matching switches for another ICU-based API and finds its matches:
// the pattern written as that language's string literal, each switch as that API's flag, and a comment where the
// API has no flag for one or the language cannot hold a character of the pattern.
class CodeSnippetBuilder final
{
    Q_GADGET
    Q_DECLARE_TR_FUNCTIONS(CodeSnippetBuilder)

public:
    enum class Language {
        swift, // NSRegularExpression
        objectiveC, // NSRegularExpression
        cpp, // ICU4C's RegexPattern and RegexMatcher
        java, // java.util.regex as on Android, whose engine is ICU
        kotlin, // kotlin.text.Regex over java.util.regex
        r, // stringi
        mysql, // REGEXP_LIKE of MySQL 8, whose engine is ICU
    };
    Q_ENUM(Language)

    CodeSnippetBuilder() = delete;

    // In the order a menu lists them.
    static QList<Language> languages();
    // The language and, where it has several, the API, for a menu.
    static QString name(Language language);
    static QString snippet(Language language, const QString &pattern, RegularExpressionOptions options);
};

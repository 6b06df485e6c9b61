#pragma once

#include "evaluation/TextRange.h"

#include <QList>
#include <QString>

#include <unicode/regex.h>

#include <memory>
#include <optional>

// The texts of one match: element k is the text of capture group k, none when the group took no part; element
// 0 is the whole match.
using CaptureTexts = QList<std::optional<QString>>;

struct RangedCaptureTexts
{
    TextRange range;
    CaptureTexts groups;
};

// Every match of regex in text, left to right without overlap, with the regex compiled case-insensitively.
// An empty or invalid regex gives no matches.
QList<CaptureTexts> captureGroups(const QString &text, const QString &regex);
QList<RangedCaptureTexts> rangedCaptureGroups(const QString &text, const QString &regex);

// Case-insensitive; null for an empty or invalid regex.
std::unique_ptr<icu::RegexPattern> compiledSearchExpression(const QString &regex);

// The matches that lie in [from, to) of text, appended to found. Lookbehinds still see the text before from.
void appendRangedCaptureGroups(const icu::RegexPattern &regex, const QString &text, qsizetype from, qsizetype to,
                               QList<RangedCaptureTexts> &found);

// The text with every character that is special in a search expression preceded by a backslash.
QString regexEscaped(const QString &text);

#pragma once

#include <QList>
#include <QString>

// Boundaries of the user-perceived characters (extended grapheme clusters) of a text, as UTF-16 offsets: the
// start of every character followed by the text's length. An empty text gives {0}.
QList<qsizetype> userPerceivedCharacterBoundaries(const QString &text);

qsizetype userPerceivedCharacterCount(const QString &text);

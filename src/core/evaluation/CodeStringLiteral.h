#pragma once

#include "core/evaluation/CodeSnippetBuilder.h"

#include <QString>

// A pattern written as a string literal of one of the code snippets' languages, quotes included: every character
// the language would read otherwise escaped, and those that would be invisible in the code too.
class CodeStringLiteral final
{
public:
    CodeStringLiteral(CodeSnippetBuilder::Language language, const QString &pattern);

    const QString &text() const { return m_text; }
    // Some characters of the pattern cannot be held by the language's strings; U+FFFD stands for each one.
    bool hasReplacedCharacters() const { return m_hasReplacedCharacters; }

    // Shown as they are, these would be invisible or look like another character.
    static bool isInvisible(char32_t c);

private:
    QString m_text;
    bool m_hasReplacedCharacters = false;
};

#include "core/evaluation/CodeStringLiteral.h"

using namespace Qt::StringLiterals;
using Language = CodeSnippetBuilder::Language;

namespace {

QString hex(uint value, int width = 0)
{
    return QString::number(value, 16).toUpper().rightJustified(width, u'0');
}

// Not QString::fromUcs4, which drops U+FEFF as a byte order mark.
QString codePoint(char32_t c)
{
    if (!QChar::requiresSurrogates(c))
        return QString(QChar(char16_t(c)));
    return QString(QChar(QChar::highSurrogate(c))) + QChar(QChar::lowSurrogate(c));
}

QString universalCharacterName(char32_t c)
{
    return c > 0xFFFF ? u"\\U"_s + hex(c, 8) : u"\\u"_s + hex(c, 4);
}

QString utf16Escapes(char32_t c)
{
    QString escapes;
    for (const QChar unit : codePoint(c))
        escapes += u"\\u"_s + hex(unit.unicode(), 4);
    return escapes;
}

// A C string literal holds UTF-8 bytes; octal escapes end after three digits, whatever follows.
QString octalBytes(char32_t c)
{
    QString escapes;
    for (const char byte : codePoint(c).toUtf8())
        escapes += u'\\' + QString::number(uchar(byte), 8).rightJustified(3, u'0');
    return escapes;
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// A code point of the pattern, or one half of a surrogate pair that has no other half.
struct Character
{
    char32_t value;
    bool isLoneSurrogate;
    QChar next;
};

// The character as it is written in the language's string literal; empty when the literal cannot hold it.
QString written(Language language, const Character &character)
{
    const char32_t c = character.value;
    switch (c) {
    case U'\\':
        return uR"(\\)"_s;
    case U'\n':
        return uR"(\n)"_s;
    case U'\r':
        return uR"(\r)"_s;
    case U'\t':
        return uR"(\t)"_s;
    case U'"':
        return language == Language::mysql ? u"\""_s : uR"(\")"_s;
    case U'\'':
        return language == Language::mysql ? u"''"_s : u"'"_s;
    case U'$':
        return language == Language::kotlin ? uR"(\$)"_s : u"$"_s;
    case U'?':
        // No trigraph either where a C compiler reads them.
        return language == Language::objectiveC && character.next == u'?' ? uR"(\?)"_s : u"?"_s;
    case 0:
        if (language == Language::r)
            return {};
        if (language == Language::swift || language == Language::mysql)
            return uR"(\0)"_s;
        break;
    case 0x1A:
        // Ctrl+Z ends a file on Windows.
        if (language == Language::mysql)
            return uR"(\Z)"_s;
        break;
    default:
        break;
    }
    if (character.isLoneSurrogate) {
        switch (language) {
        case Language::cpp:
            // A hexadecimal escape runs on over every hexadecimal digit: the literal is split before one.
            return u"\\x"_s + hex(c) + (isHexDigit(character.next) ? u"\" u\""_s : QString());
        case Language::java:
            // javac reads a backslash right after an escaped lone surrogate as the start of another escape.
            return utf16Escapes(c) + (character.next == u'\\' ? u"\" + \""_s : QString());
        case Language::kotlin:
            return utf16Escapes(c);
        default:
            return {};
        }
    }
    if (!CodeStringLiteral::isInvisible(c) || language == Language::mysql)
        return codePoint(c);
    switch (language) {
    case Language::swift:
        return u"\\u{"_s + hex(c) + u'}';
    case Language::objectiveC:
        // C accepts no universal character name below U+00A0.
        return c < 0xA0 ? octalBytes(c) : universalCharacterName(c);
    case Language::cpp:
        return universalCharacterName(c);
    case Language::java:
    case Language::kotlin:
        return utf16Escapes(c);
    case Language::r:
        return (c > 0xFFFF ? u"\\U{"_s : u"\\u{"_s) + hex(c) + u'}';
    case Language::mysql:
        break;
    }
    return codePoint(c);
}

} // namespace

CodeStringLiteral::CodeStringLiteral(Language language, const QString &pattern)
{
    for (qsizetype i = 0; i < pattern.size();) {
        const bool isPair = pattern[i].isHighSurrogate() && i + 1 < pattern.size() && pattern[i + 1].isLowSurrogate();
        const char32_t value = isPair ? QChar::surrogateToUcs4(pattern[i], pattern[i + 1]) : pattern[i].unicode();
        i += isPair ? 2 : 1;
        const Character character {value, !isPair && QChar::isSurrogate(value),
                                   i < pattern.size() ? pattern[i] : QChar()};
        const QString text = written(language, character);
        m_hasReplacedCharacters |= text.isEmpty();
        m_text += text.isEmpty() ? QString(QChar(QChar::ReplacementCharacter)) : text;
    }
    const QString quote = language == Language::mysql ? u"'"_s : u"\""_s;
    const QString prefix = language == Language::objectiveC ? u"@"_s : language == Language::cpp ? u"u"_s : QString();
    m_text = prefix + quote + m_text + quote;
}

bool CodeStringLiteral::isInvisible(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    const bool isSeparator = category == QChar::Separator_Space || category == QChar::Separator_Line
        || category == QChar::Separator_Paragraph;
    return !QChar::isPrint(c) || (isSeparator && c != U' ');
}

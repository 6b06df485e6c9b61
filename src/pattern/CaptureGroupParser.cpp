#include "pattern/CaptureGroupParser.h"

#include "platform/UserPerceivedCharacters.h"

#include <algorithm>

namespace {

// A backslash that is itself escaped must not escape the character after it; blanking the pair keeps every
// other position where it was.
QString withEscapedBackslashesBlanked(QString pattern)
{
    for (qsizetype i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern.at(i) == u'\\' && pattern.at(i + 1) == u'\\') {
            pattern[i] = u' ';
            pattern[i + 1] = u' ';
            ++i;
        }
    }
    return pattern;
}

// ASCII has no combining or joining characters, so grapheme clusters there are single units but for CR LF; most
// patterns are ASCII and skip ICU's iterator, which costs several times the rest of the parse.
QList<qsizetype> characterBoundaries(const QString &text)
{
    const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii)
        return userPerceivedCharacterBoundaries(text);
    QList<qsizetype> boundaries;
    boundaries.reserve(text.size() + 1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i == 0 || text.at(i - 1) != u'\r' || text.at(i) != u'\n')
            boundaries.append(i);
    }
    boundaries.append(text.size());
    return boundaries;
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

CaptureGroupParser::CaptureGroupParser(const QString &pattern)
    : m_pattern(withEscapedBackslashesBlanked(pattern))
{
}

const QList<qsizetype> &CaptureGroupParser::patternCharacters()
{
    if (!m_patternCharacters) {
        m_patternCharacters = characterBoundaries(m_pattern);
        const qsizetype *boundaries = m_patternCharacters->constData();
        const char16_t *units = reinterpret_cast<const char16_t *>(m_pattern.utf16());
        m_singleUnits.resize(m_patternCharacters->size() - 1);
        char16_t *singles = m_singleUnits.data();
        for (qsizetype i = 0; i < m_singleUnits.size(); ++i) {
            // A cluster such as "(" with a combining mark is a different character, not a parenthesis.
            singles[i] = boundaries[i + 1] - boundaries[i] == 1 ? units[boundaries[i]] : u'\0';
        }
    }
    return *m_patternCharacters;
}

bool CaptureGroupParser::isCharacter(qsizetype index, char16_t character) const
{
    return index >= 0 && index < m_singleUnits.size() && m_singleUnits.at(index) == character;
}

// "(?<name>" captures like a plain "(", while "(?<=" and "(?<!" are lookbehinds. ICU names start with an ASCII
// letter, and ICU has no "(?'name'" spelling.
bool CaptureGroupParser::opensNamedGroup(qsizetype index) const
{
    return isCharacter(index, u'<') && index + 1 < m_singleUnits.size()
        && isAsciiLetter(QChar(m_singleUnits.at(index + 1)));
}

CaptureGroupParser::Result CaptureGroupParser::parse()
{
    const QList<qsizetype> &boundaries = patternCharacters();
    const qsizetype characterCount = boundaries.size() - 1;

    CaptureGroup wholePattern;
    // Counted in UTF-8 bytes, unlike every other index; nothing reads it.
    wholePattern.rangeEndIndex = m_pattern.toUtf8().size() - 1;
    wholePattern.utf16End = m_pattern.size();
    m_groups = {wholePattern};

    // The innermost open group is always the last one opened that is still open, so a stack finds it without
    // searching back through the closed ones.
    QList<qsizetype> openGroups;
    qsizetype lastGroupOpenedAt = -1;

    const char16_t *characters = m_singleUnits.constData();
    for (qsizetype i = 0; i < characterCount; ++i) {
        if (i > 0 && characters[i - 1] == u'\\')
            continue;
        const char16_t c = characters[i];
        if (c == u'?' && i > 0 && lastGroupOpenedAt == i - 1) {
            if (!opensNamedGroup(i + 1))
                m_groups.last().isValid = false;
            continue;
        }
        switch (c) {
        case u'[':
            ++m_bracketDepth;
            break;
        case u']':
            --m_bracketDepth;
            break;
        case u'(':
            if (m_bracketDepth <= 0) {
                CaptureGroup group;
                group.rangeStartIndex = i;
                group.utf16Start = boundaries.at(i);
                openGroups.append(m_groups.size());
                m_groups.append(group);
                lastGroupOpenedAt = i;
            }
            break;
        case u')':
            if (m_bracketDepth <= 0) {
                if (openGroups.isEmpty())
                    return CaptureGroupParserError::invalidPattern;
                CaptureGroup &group = m_groups[openGroups.takeLast()];
                group.rangeEndIndex = i;
                group.utf16End = boundaries.at(i + 1);
            }
            break;
        default:
            break;
        }
    }
    if (!openGroups.isEmpty())
        return CaptureGroupParserError::invalidPattern;

    QList<CaptureGroup> capturing;
    for (const CaptureGroup &group : std::as_const(m_groups)) {
        if (group.isValid)
            capturing.append(group);
    }
    return capturing;
}

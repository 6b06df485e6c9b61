#include "pattern/CaptureGroupParser.h"

#include "platform/UserPerceivedCharacters.h"

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
    if (!m_patternCharacters)
        m_patternCharacters = userPerceivedCharacterBoundaries(m_pattern);
    return *m_patternCharacters;
}

bool CaptureGroupParser::isCharacter(qsizetype index, char16_t character)
{
    const QList<qsizetype> &boundaries = patternCharacters();
    if (index < 0 || index + 1 >= boundaries.size())
        return false;
    // A cluster such as "(" with a combining mark is a different character, not a parenthesis.
    return boundaries.at(index + 1) - boundaries.at(index) == 1 && m_pattern.at(boundaries.at(index)) == character;
}

// "(?<name>" captures like a plain "(", while "(?<=" and "(?<!" are lookbehinds. ICU names start with an ASCII
// letter and has no "(?'name'" spelling.
bool CaptureGroupParser::opensNamedGroup(qsizetype index)
{
    const QList<qsizetype> &boundaries = patternCharacters();
    if (!isCharacter(index, u'<') || index + 2 >= boundaries.size())
        return false;
    const qsizetype nameStart = boundaries.at(index + 1);
    return boundaries.at(index + 2) - nameStart == 1 && isAsciiLetter(m_pattern.at(nameStart));
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

    for (qsizetype i = 0; i < characterCount; ++i) {
        if (isCharacter(i - 1, u'\\'))
            continue;
        if (i > 0 && lastGroupOpenedAt == i - 1 && isCharacter(i, u'?')) {
            if (!opensNamedGroup(i + 1))
                m_groups.last().isValid = false;
            continue;
        }
        if (isCharacter(i, u'[')) {
            ++m_bracketDepth;
        } else if (isCharacter(i, u']')) {
            --m_bracketDepth;
        } else if (isCharacter(i, u'(')) {
            if (m_bracketDepth > 0)
                continue;
            CaptureGroup group;
            group.rangeStartIndex = i;
            group.utf16Start = boundaries.at(i);
            openGroups.append(m_groups.size());
            m_groups.append(group);
            lastGroupOpenedAt = i;
        } else if (isCharacter(i, u')')) {
            if (m_bracketDepth > 0)
                continue;
            if (openGroups.isEmpty())
                return CaptureGroupParserError::invalidPattern;
            CaptureGroup &group = m_groups[openGroups.takeLast()];
            group.rangeEndIndex = i;
            group.utf16End = boundaries.at(i + 1);
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

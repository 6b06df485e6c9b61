#include "core/pattern/CaptureGroupParser.h"

#include "core/pattern/PatternSyntaxReader.h"
#include "core/platform/UserPerceivedCharacters.h"

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

// The index of the user-perceived character holding the code unit at offset.
qint64 characterIndex(const QList<qsizetype> &boundaries, qsizetype offset)
{
    return std::upper_bound(boundaries.cbegin(), boundaries.cend(), offset) - boundaries.cbegin() - 1;
}

} // namespace

CaptureGroupParser::CaptureGroupParser(const QString &pattern, bool allowCommentsAndWhitespace)
    : m_source(pattern)
    , m_pattern(withEscapedBackslashesBlanked(pattern))
    , m_allowCommentsAndWhitespace(allowCommentsAndWhitespace)
{
}

CaptureGroupParser::Result CaptureGroupParser::parse()
{
    return capturingGroups(m_source, PatternSyntaxReader(m_source, m_allowCommentsAndWhitespace));
}

CaptureGroupParser::Result CaptureGroupParser::capturingGroups(const QString &pattern,
                                                               const PatternSyntaxReader &reading)
{
    if (!reading.isBalanced())
        return CaptureGroupParserError::invalidPattern;

    const qsizetype count = std::count_if(reading.groups().cbegin(), reading.groups().cend(),
                                          [](const PatternSyntaxReader::Group &group) { return group.capturing; });
    QList<CaptureGroup> capturing;
    capturing.reserve(1 + count);
    CaptureGroup wholePattern;
    // Counted in UTF-8 bytes, unlike every other index; nothing reads it.
    wholePattern.rangeEndIndex = pattern.toUtf8().size() - 1;
    wholePattern.utf16End = pattern.size();
    capturing.append(wholePattern);

    // ICU reads code points, so a "(" carrying a combining mark still opens a group; the indexes count the
    // user-perceived characters holding the parentheses.
    QList<qsizetype> boundaries;
    if (count > 0)
        boundaries = characterBoundaries(pattern);
    for (const PatternSyntaxReader::Group &read : reading.groups()) {
        if (!read.capturing)
            continue;
        CaptureGroup group;
        group.rangeStartIndex = characterIndex(boundaries, read.open);
        group.utf16Start = read.open;
        group.rangeEndIndex = characterIndex(boundaries, *read.end - 1);
        group.utf16End = read.end;
        group.name = read.name;
        capturing.append(group);
    }
    return capturing;
}

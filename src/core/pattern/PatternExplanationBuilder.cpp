#include "core/pattern/PatternExplanationBuilder.h"

#include <unicode/uchar.h>
#include <unicode/uregex.h>

#include <algorithm>
#include <limits>

namespace {

using NodeKind = PatternExplanation::NodeKind;
using TokenKind = PatternSyntaxReader::TokenKind;
using GroupKind = PatternSyntaxReader::GroupKind;

bool isDigit(char32_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(char32_t c)
{
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// The inline flag letters ICU knows and the compile flags they stand for; "u" is accepted and changes nothing.
uint32_t flagBit(QChar letter)
{
    switch (letter.unicode()) {
    case u'i':
        return UREGEX_CASE_INSENSITIVE;
    case u'm':
        return UREGEX_MULTILINE;
    case u's':
        return UREGEX_DOTALL;
    case u'x':
        return UREGEX_COMMENTS;
    case u'w':
        return UREGEX_UWORD;
    case u'd':
        return UREGEX_UNIX_LINES;
    default:
        return 0;
    }
}

// The flags after "(?i-m" is applied to those in effect.
uint32_t appliedFlags(QStringView text, uint32_t flags)
{
    bool on = true;
    for (const QChar c : text) {
        if (c == u'-')
            on = false;
        else if (on)
            flags |= flagBit(c);
        else
            flags &= ~flagBit(c);
    }
    return flags;
}

// The character an escape spelling one character stands for, from its text: \x41, \x{1F600}, \u0041, \U0001F600,
// \0101, \cA, \t and the like. Nothing for a spelling ICU does not accept.
std::optional<char32_t> spelledCharacter(QStringView text)
{
    if (text.size() < 2 || text.at(0) != u'\\')
        return std::nullopt;
    const QChar letter = text.at(1);
    QStringView digits = text.mid(2);
    int base = 16;
    switch (letter.unicode()) {
    case u'a':
        return 0x07;
    case u'e':
        return 0x1b;
    case u'f':
        return 0x0c;
    case u'n':
        return 0x0a;
    case u'r':
        return 0x0d;
    case u't':
        return 0x09;
    case u'c':
        if (digits.isEmpty())
            return std::nullopt;
        return char32_t(digits.at(0).unicode() & 0x1f);
    case u'x':
        if (digits.startsWith(u'{')) {
            if (!digits.endsWith(u'}'))
                return std::nullopt;
            digits = digits.mid(1, digits.size() - 2);
        } else if (digits.size() != 2) {
            return std::nullopt;
        }
        break;
    case u'u':
        if (digits.size() != 4)
            return std::nullopt;
        break;
    case u'U':
        if (digits.size() != 8)
            return std::nullopt;
        break;
    case u'0':
        base = 8;
        break;
    default:
        return std::nullopt;
    }
    if (digits.isEmpty())
        return base == 8 ? std::optional<char32_t>(0) : std::nullopt;
    char32_t value = 0;
    for (const QChar c : digits) {
        if (!isHexDigit(c.unicode()))
            return std::nullopt;
        const char16_t u = c.unicode();
        value = value * base + (u <= u'9' ? u - u'0' : (u | 0x20) - u'a' + 10);
        if (value > 0x10ffff)
            return std::nullopt;
    }
    return value;
}

// The character of a \N{...} escape, when ICU knows the name.
std::optional<char32_t> namedCharacter(QStringView name)
{
    UErrorCode status = U_ZERO_ERROR;
    const UChar32 c = u_charFromName(U_EXTENDED_CHAR_NAME, name.toString().toLatin1().constData(), &status);
    if (U_FAILURE(status) || c < 0)
        return std::nullopt;
    return char32_t(c);
}

bool isCharacterType(char32_t letter)
{
    return QStringView(u"dDwWsShHvVRX").contains(QChar(char16_t(letter)));
}

bool isAnchor(char32_t letter)
{
    return QStringView(u"bBAzZG").contains(QChar(char16_t(letter)));
}

} // namespace

PatternExplanationBuilder::PatternExplanationBuilder(PatternExplanation &explanation)
    : m_explanation(explanation)
    , m_nodes(explanation.m_nodes)
{
}

void PatternExplanationBuilder::build()
{
    const PatternSyntaxReader reading(m_explanation.m_pattern, m_explanation.m_flags & UREGEX_COMMENTS, true);
    m_tokens = reading.tokens();
    m_groups = reading.groups();
    m_nodes.reserve(m_tokens.size() + 1);
    m_groupNumbers.fill(0, m_groups.size());
    for (qsizetype index = 0; index < m_groups.size(); ++index) {
        if (m_groups.at(index).capturing)
            m_groupNumbers[index] = ++m_explanation.m_captureGroupCount;
    }
    m_frames.append({PatternExplanation::root, {{{}, 0, 0}}, m_explanation.m_flags});

    for (qsizetype index = 0; index < m_tokens.size(); ++index) {
        const Token &token = m_tokens.at(index);
        Frame &frame = m_frames.last();
        const uint32_t flags = frame.flags;
        switch (token.kind) {
        case TokenKind::character:
            if (isPlain(index, u'|')) {
                frame.branches.last().end = token.range.location;
                frame.branches.append({{}, token.range.end(), token.range.end()});
                frame.run = -1;
            } else if (!readQuantifier(index)) {
                readCharacter(token);
            }
            break;
        case TokenKind::escape:
            readEscape(index);
            break;
        case TokenKind::groupOpen:
            readGroupOpen(token);
            break;
        case TokenKind::groupClose:
            close(m_frames.last(), token.range.location);
            m_frames.removeLast();
            m_frames.last().run = -1;
            break;
        case TokenKind::unmatchedClose:
            append(newNode(NodeKind::unmatchedParenthesis, token.range, flags));
            break;
        case TokenKind::flagSetting: {
            const int node = newNode(NodeKind::flagSetting, token.range, flags);
            const QStringView spelled = text(token.range);
            m_nodes[node].text = spelled.mid(2, spelled.size() - 3).toString();
            frame.flags = appliedFlags(m_nodes[node].text, flags);
            append(node);
            break;
        }
        case TokenKind::classOpen:
        case TokenKind::posixClass:
            append(readClass(index));
            break;
        case TokenKind::classClose:
            break;
        case TokenKind::quoteOpen:
            append(newNode(NodeKind::quoteStart, token.range, flags));
            break;
        case TokenKind::quoteClose:
            append(newNode(NodeKind::quoteEnd, token.range, flags));
            break;
        case TokenKind::comment:
            append(newNode(NodeKind::comment, token.range, flags));
            break;
        }
    }
    // Groups never closed end with the pattern.
    const qsizetype length = m_explanation.m_pattern.size();
    while (m_frames.size() > 1) {
        close(m_frames.last(), length);
        m_frames.removeLast();
    }
    close(m_frames.first(), length);
}

int PatternExplanationBuilder::newNode(PatternExplanation::NodeKind kind, const TextRange &range, uint32_t flags)
{
    PatternExplanation::Node node;
    node.kind = kind;
    node.range = range;
    node.flags = flags;
    return m_explanation.addNode(std::move(node));
}

void PatternExplanationBuilder::append(int node)
{
    Frame &frame = m_frames.last();
    frame.branches.last().items.append(node);
    frame.run = -1;
}

void PatternExplanationBuilder::adopt(int parent, const QList<int> &children)
{
    for (const int child : children) {
        m_nodes[child].parent = parent;
        m_nodes[child].row = int(m_nodes[parent].children.size());
        m_nodes[parent].children.append(child);
    }
}

// Gives the items of a frame's branches to its node, through an alternation when there are several.
void PatternExplanationBuilder::close(Frame &frame, qsizetype end)
{
    frame.branches.last().end = end;
    if (frame.branches.size() == 1) {
        adopt(frame.node, frame.branches.first().items);
        return;
    }
    const qsizetype start = frame.branches.first().start;
    const int alternation = newNode(NodeKind::alternation, {start, end - start}, frame.flags);
    adopt(frame.node, {alternation});
    qint64 number = 0;
    for (const Branch &branch : std::as_const(frame.branches)) {
        const int alternative = newNode(NodeKind::alternative, {branch.start, branch.end - branch.start}, frame.flags);
        m_nodes[alternative].number = ++number;
        adopt(alternation, {alternative});
        adopt(alternative, branch.items);
    }
}

bool PatternExplanationBuilder::isPlain(qsizetype index, char16_t c) const
{
    if (index >= m_tokens.size())
        return false;
    const Token &token = m_tokens.at(index);
    return token.kind == TokenKind::character && !token.quoted && token.value == c;
}

QStringView PatternExplanationBuilder::text(const TextRange &range) const
{
    return QStringView(m_explanation.m_pattern).mid(range.location, range.length);
}

// A quantifier at index and the lazy or possessive mark after it; {n}, {n,} and {n,m} are read from what the scanner
// hands on, as ICU reads them. False, and nothing read, when the token is no quantifier.
bool PatternExplanationBuilder::readQuantifier(qsizetype &index)
{
    const Token &token = m_tokens.at(index);
    if (token.quoted || (token.value != u'*' && token.value != u'+' && token.value != u'?' && token.value != u'{'))
        return false;
    qint64 minimum = 0;
    qint64 maximum = -1;
    qsizetype next = index + 1;
    if (token.value == u'+') {
        minimum = 1;
    } else if (token.value == u'?') {
        maximum = 1;
    } else if (token.value == u'{') {
        const auto number = [&](qint64 &value) {
            bool any = false;
            value = 0;
            for (; next < m_tokens.size() && m_tokens.at(next).kind == TokenKind::character && !m_tokens.at(next).quoted
                 && isDigit(m_tokens.at(next).value);
                 ++next) {
                value = std::min<qint64>(value * 10 + (m_tokens.at(next).value - u'0'),
                                         std::numeric_limits<int32_t>::max());
                any = true;
            }
            return any;
        };
        if (!number(minimum))
            return false;
        maximum = minimum;
        if (isPlain(next, u',')) {
            ++next;
            if (!number(maximum))
                maximum = -1;
        }
        if (!isPlain(next, u'}'))
            return false;
        ++next;
    }
    auto mode = PatternExplanation::QuantifierMode::greedy;
    if (isPlain(next, u'?') || isPlain(next, u'+')) {
        mode = m_tokens.at(next).value == u'?' ? PatternExplanation::QuantifierMode::lazy
                                               : PatternExplanation::QuantifierMode::possessive;
        ++next;
    }
    const qsizetype end = m_tokens.at(next - 1).range.end();
    index = next - 1;

    Frame &frame = m_frames.last();
    QList<int> &items = frame.branches.last().items;
    int target = items.isEmpty() ? -1 : items.last();
    if (target >= 0 && target == frame.run && m_nodes[target].text.toUcs4().size() > 1) {
        // A count takes only the last character of a run.
        PatternExplanation::Node &run = m_nodes[target];
        const qsizetype lastSize = run.text.back().isLowSurrogate() ? 2 : 1;
        const QString last = run.text.right(lastSize);
        run.text.chop(lastSize);
        run.range.length = frame.runBeforeLastEnd - run.range.location;
        const qsizetype lastEnd = m_tokens.at(index).range.location;
        const int single
            = newNode(NodeKind::literal, {frame.runLastStart, lastEnd - frame.runLastStart}, m_nodes[target].flags);
        m_nodes[single].text = last;
        // Up to the quantifier's first character, so that the quantifier's own span holds the count.
        m_nodes[single].range.length
            = std::min(m_nodes[single].range.length, token.range.location - frame.runLastStart);
        items.append(single);
        target = single;
    }
    const qsizetype start = target >= 0 ? m_nodes[target].range.location : token.range.location;
    const int quantifier = newNode(NodeKind::quantifier, {start, end - start}, frame.flags);
    m_nodes[quantifier].variant = int(mode);
    m_nodes[quantifier].number = minimum;
    m_nodes[quantifier].maximum = maximum;
    if (target >= 0) {
        items.removeLast();
        adopt(quantifier, {target});
    }
    append(quantifier);
    return true;
}

void PatternExplanationBuilder::readCharacter(const Token &token)
{
    Frame &frame = m_frames.last();
    const uint32_t flags = frame.flags;
    const QStringView spelled = text(token.range);
    if (!token.quoted && (token.value == u'.' || token.value == u'^' || token.value == u'$')) {
        const int node = newNode(token.value == u'.' ? NodeKind::anyCharacter : NodeKind::anchor, token.range, flags);
        m_nodes[node].value = token.value;
        append(node);
        return;
    }
    if (token.quoted && spelled.size() > 1 && spelled.startsWith(u'\\')) {
        const int node = newNode(NodeKind::character, token.range, flags);
        const std::optional<char32_t> character = spelledCharacter(spelled);
        m_nodes[node].value = character.value_or(0);
        m_nodes[node].closed = character.has_value();
        append(node);
        return;
    }
    if (frame.run >= 0) {
        PatternExplanation::Node &run = m_nodes[frame.run];
        frame.runBeforeLastEnd = run.range.end();
        frame.runLastStart = token.range.location;
        run.range.length = token.range.end() - run.range.location;
        run.text.append(spelled);
        return;
    }
    const int node = newNode(NodeKind::literal, token.range, flags);
    m_nodes[node].text = spelled.toString();
    append(node);
    frame.run = node;
    frame.runLastStart = token.range.location;
    frame.runBeforeLastEnd = token.range.location;
}

void PatternExplanationBuilder::readEscape(qsizetype &index)
{
    const Token &token = m_tokens.at(index);
    const char32_t letter = token.value;
    NodeKind kind = NodeKind::character;
    TextRange range = token.range;
    qint64 number = 0;
    if (letter >= u'1' && letter <= u'9') {
        // ICU takes more digits, as they stand, while the number names a group opened so far.
        kind = NodeKind::backReference;
        number = letter - u'0';
        while (number < m_openedCaptures && index + 1 < m_tokens.size()) {
            const Token &digit = m_tokens.at(index + 1);
            if (digit.kind != TokenKind::character || digit.quoted || !isDigit(digit.value)
                || digit.range.location != range.end())
                break;
            number = number * 10 + (digit.value - u'0');
            range.length = digit.range.end() - range.location;
            ++index;
        }
    } else if (letter == u'k') {
        kind = NodeKind::backReference;
    } else if (isCharacterType(letter)) {
        kind = NodeKind::characterType;
    } else if (isAnchor(letter)) {
        kind = NodeKind::anchor;
    } else if (letter == u'p' || letter == u'P') {
        kind = NodeKind::property;
    }
    const int node = newNode(kind, range, m_frames.last().flags);
    PatternExplanation::Node &made = m_nodes[node];
    made.value = letter;
    made.number = number;
    if (letter == u'k' || letter == u'p' || letter == u'P' || letter == u'N') {
        const QStringView braced = text(range).mid(2);
        made.text = braced.size() >= 2 ? braced.mid(1, braced.size() - 2).toString() : QString();
    }
    if (letter == u'N')
        made.value = namedCharacter(made.text).value_or(0);
    if (letter == u'k') {
        for (qsizetype group = 0; group < m_groups.size(); ++group) {
            if (m_groups.at(group).kind == GroupKind::named && m_groups.at(group).name == made.text) {
                made.number = m_groupNumbers.at(group);
                break;
            }
        }
    }
    append(node);
}

void PatternExplanationBuilder::readGroupOpen(const Token &token)
{
    const PatternSyntaxReader::Group &group = m_groups.at(token.group);
    const uint32_t flags = m_frames.last().flags;
    const qsizetype end = group.end.value_or(m_explanation.m_pattern.size());
    const int node = newNode(NodeKind::group, {token.range.location, end - token.range.location}, flags);
    PatternExplanation::Node &made = m_nodes[node];
    made.variant = int(group.kind);
    made.number = m_groupNumbers.at(token.group);
    made.text = group.name;
    made.closed = group.end.has_value();
    uint32_t inner = flags;
    if (group.kind == GroupKind::flagGroup) {
        made.text = text(token.range).mid(2).toString();
        if (made.text.endsWith(u':'))
            made.text.chop(1);
        inner = appliedFlags(made.text, flags);
    }
    if (made.number > 0)
        ++m_openedCaptures;
    append(node);
    m_frames.append({node, {{{}, token.range.end(), token.range.end()}}, inner});
}

// A class from its "[" (or a [:name:] standing alone) through its "]": members, ranges, nested sets and the && and
// -- operators, in the order ICU applies them. Leaves index at the class's last token; returns the class's node.
int PatternExplanationBuilder::readClass(qsizetype &index)
{
    const uint32_t flags = m_frames.last().flags;
    const qsizetype length = m_explanation.m_pattern.size();
    if (m_tokens.at(index).kind == TokenKind::posixClass)
        return classMember(m_tokens.at(index), flags);

    // The open classes, outermost first, with the members each has so far.
    QList<std::pair<int, QList<int>>> open;
    int outermost = -1;
    for (; index < m_tokens.size(); ++index) {
        const Token &token = m_tokens.at(index);
        if (token.kind == TokenKind::classOpen) {
            const int node
                = newNode(NodeKind::characterClass, {token.range.location, length - token.range.location}, flags);
            m_nodes[node].variant = token.value == u'^' ? 1 : 0;
            m_nodes[node].closed = false;
            if (outermost < 0)
                outermost = node;
            else
                open.last().second.append(node);
            open.append(std::pair<int, QList<int>>(node, {}));
            continue;
        }
        QList<int> &members = open.last().second;
        if (token.kind == TokenKind::classClose) {
            const auto [node, list] = open.takeLast();
            m_nodes[node].range.length = token.range.end() - m_nodes[node].range.location;
            m_nodes[node].closed = true;
            adopt(node, list);
            if (open.isEmpty())
                return node;
            continue;
        }
        const bool doubled = index + 1 < m_tokens.size() && !members.isEmpty()
            && ((isPlain(index, u'&') && isPlain(index + 1, u'&'))
                || (isPlain(index, u'-') && isPlain(index + 1, u'-')));
        if (doubled) {
            const TextRange range {token.range.location, m_tokens.at(index + 1).range.end() - token.range.location};
            const int node = newNode(NodeKind::setOperation, range, flags);
            m_nodes[node].variant = int(token.value);
            members.append(node);
            ++index;
            continue;
        }
        // A "-" between two characters makes a range; first or last, or next to a set, it is itself.
        if (isPlain(index, u'-') && !members.isEmpty() && index + 1 < m_tokens.size()) {
            const int before = members.last();
            const Token &next = m_tokens.at(index + 1);
            const bool beforeIsOne = m_nodes[before].kind == NodeKind::character
                || (m_nodes[before].kind == NodeKind::literal && m_nodes[before].text.toUcs4().size() == 1);
            const bool nextIsOne = (next.kind == TokenKind::character && !isPlain(index + 1, u'-'))
                || (next.kind == TokenKind::escape && next.value != 0 && !isCharacterType(next.value)
                    && next.value != u'p' && next.value != u'P');
            if (beforeIsOne && nextIsOne) {
                const int after = classMember(next, flags);
                const qsizetype start = m_nodes[before].range.location;
                const int range = newNode(NodeKind::classRange, {start, m_nodes[after].range.end() - start}, flags);
                const auto value = [&](int node) {
                    return m_nodes[node].kind == NodeKind::literal ? m_nodes[node].text.toUcs4().value(0)
                                                                   : m_nodes[node].value;
                };
                m_nodes[range].value = value(before);
                m_nodes[range].last = value(after);
                members.last() = range;
                ++index;
                continue;
            }
        }
        members.append(classMember(token, flags));
    }
    // Never closed: every open class ends with the pattern.
    while (!open.isEmpty()) {
        const auto [node, list] = open.takeLast();
        adopt(node, list);
    }
    index = m_tokens.size() - 1;
    return outermost;
}

// One member of a class: a character, an escape, a [:name:] property, or quoting and comments.
int PatternExplanationBuilder::classMember(const Token &token, uint32_t flags)
{
    switch (token.kind) {
    case TokenKind::posixClass: {
        const int node = newNode(NodeKind::posixClass, token.range, flags);
        QStringView name = text(token.range);
        name = name.mid(2, name.size() - 4);
        m_nodes[node].variant = name.startsWith(u'^') ? 1 : 0;
        m_nodes[node].text = (name.startsWith(u'^') ? name.mid(1) : name).toString();
        return node;
    }
    case TokenKind::escape: {
        const char32_t letter = token.value;
        NodeKind kind = NodeKind::character;
        if (isCharacterType(letter))
            kind = NodeKind::characterType;
        else if (letter == u'p' || letter == u'P')
            kind = NodeKind::property;
        const int node = newNode(kind, token.range, flags);
        m_nodes[node].value = letter;
        if (letter == u'p' || letter == u'P' || letter == u'N') {
            const QStringView braced = text(token.range).mid(2);
            m_nodes[node].text = braced.size() >= 2 ? braced.mid(1, braced.size() - 2).toString() : QString();
        }
        if (letter == u'N')
            m_nodes[node].value = namedCharacter(m_nodes[node].text).value_or(0);
        return node;
    }
    case TokenKind::quoteOpen:
        return newNode(NodeKind::quoteStart, token.range, flags);
    case TokenKind::quoteClose:
        return newNode(NodeKind::quoteEnd, token.range, flags);
    case TokenKind::comment:
        return newNode(NodeKind::comment, token.range, flags);
    default:
        break;
    }
    const QStringView spelled = text(token.range);
    if (token.quoted && spelled.size() > 1 && spelled.startsWith(u'\\')) {
        const int node = newNode(NodeKind::character, token.range, flags);
        const std::optional<char32_t> character = spelledCharacter(spelled);
        m_nodes[node].value = character.value_or(0);
        m_nodes[node].closed = character.has_value();
        return node;
    }
    const int node = newNode(NodeKind::literal, token.range, flags);
    m_nodes[node].text = spelled.toString();
    return node;
}

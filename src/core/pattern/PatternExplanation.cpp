#include "core/pattern/PatternExplanation.h"

#include "core/pattern/PatternExplanationBuilder.h"
#include "core/pattern/PatternSyntaxReader.h"

#include <unicode/uchar.h>
#include <unicode/uregex.h>

#include <algorithm>

namespace {

using NodeKind = PatternExplanation::NodeKind;
using Node = PatternExplanation::Node;

QString characterText(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

// U+0041 "A", or only U+000A for a character that shows nothing.
QString characterName(char32_t c)
{
    const QString code = QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    const QChar::Category category = QChar::category(c);
    if (category == QChar::Other_Control || category == QChar::Separator_Line || category == QChar::Separator_Paragraph
        || category == QChar::Other_Format || category == QChar::Other_Surrogate || category == QChar::Other_NotAssigned
        || c == u' ')
        return code;
    return QStringLiteral("%1 “%2”").arg(code, characterText(c));
}

} // namespace

PatternExplanation::PatternExplanation(const QString &pattern, uint32_t flags, const std::optional<Error> &error)
    : m_pattern(pattern)
    , m_flags(flags)
{
    Node whole;
    whole.kind = NodeKind::pattern;
    whole.range = {0, pattern.size()};
    whole.flags = flags;
    addNode(whole);
    if (pattern.size() > maximumLength) {
        m_tooLong = true;
        return;
    }
    if (flags & UREGEX_LITERAL) {
        if (!pattern.isEmpty()) {
            Node literal;
            literal.kind = NodeKind::literal;
            literal.range = whole.range;
            literal.flags = flags;
            literal.text = pattern;
            literal.parent = root;
            const int added = addNode(literal);
            m_nodes[root].children.append(added);
        }
    } else {
        PatternExplanationBuilder(*this).build();
    }
    if (error) {
        const qsizetype position = error->position < 0 ? pattern.size() : std::min(error->position, pattern.size());
        pruneFrom(position);
        Node failure;
        failure.kind = NodeKind::error;
        const bool pair = position + 1 < pattern.size() && pattern.at(position).isHighSurrogate();
        failure.range = {position, position < pattern.size() ? (pair ? 2 : 1) : 0};
        failure.text = error->message;
        failure.parent = root;
        failure.row = int(m_nodes[root].children.size());
        const int added = addNode(failure);
        m_nodes[root].children.append(added);
    }
}

int PatternExplanation::addNode(Node node)
{
    m_nodes.append(std::move(node));
    return int(m_nodes.size() - 1);
}

void PatternExplanation::pruneFrom(qsizetype position)
{
    // What was read before the error stays; spans reaching past it are kept with the nodes that start before it.
    QList<int> pending {root};
    while (!pending.isEmpty()) {
        Node &parent = m_nodes[pending.takeLast()];
        QList<int> kept;
        for (const int child : std::as_const(parent.children)) {
            if (m_nodes[child].range.location >= position)
                continue;
            m_nodes[child].row = int(kept.size());
            kept.append(child);
            pending.append(child);
        }
        parent.children = kept;
    }
}

int PatternExplanation::nodeAt(qsizetype position) const
{
    int current = root;
    for (;;) {
        const QList<int> &children = m_nodes[current].children;
        // Children come in text order; the last one starting at or before position is the only candidate, but an
        // empty one (an empty alternative) may sit in front of it, and an error may mark a character inside the one
        // before it.
        auto after = std::upper_bound(children.cbegin(), children.cend(), position,
                                      [this](qsizetype at, int child) { return at < m_nodes[child].range.location; });
        int found = -1;
        for (auto it = after; it != children.cbegin();) {
            --it;
            const TextRange &range = m_nodes[*it].range;
            if (range.location <= position && position < range.end()) {
                found = *it;
                break;
            }
            if (range.length > 0 && m_nodes[*it].kind != NodeKind::error)
                break;
        }
        if (found < 0)
            return current;
        current = found;
    }
}

QString PatternExplanation::description(int index) const
{
    const Node &node = m_nodes.at(index);
    switch (node.kind) {
    case NodeKind::pattern: {
        if (m_tooLong)
            //: In the explanation panel, for a pattern too long to explain
            return tr("The pattern is too long to explain here (more than %Ln character(s))", nullptr,
                      int(maximumLength));
        QStringList options;
        if (m_flags & UREGEX_CASE_INSENSITIVE)
            options << tr("case-insensitive");
        if (m_flags & UREGEX_MULTILINE)
            options << tr("multiline");
        if (m_flags & UREGEX_COMMENTS)
            options << tr("comments and white space allowed");
        if (m_flags & UREGEX_DOTALL)
            options << tr("dot matches line breaks");
        if (m_flags & UREGEX_UWORD)
            options << tr("Unicode word boundaries");
        if (m_flags & UREGEX_UNIX_LINES)
            options << tr("only \\n ends a line");
        if (m_flags & UREGEX_LITERAL)
            options << tr("literal");
        if (options.isEmpty())
            return tr("The whole pattern");
        //: %1 lists the compile options, e.g. "case-insensitive, multiline"
        return tr("The whole pattern, compiled %1").arg(options.join(QStringLiteral(", ")));
    }
    case NodeKind::alternation:
        return tr("Either of %n alternatives, tried from left to right; the first that matches wins", nullptr,
                  int(node.children.size()));
    case NodeKind::alternative:
        if (node.children.isEmpty())
            return tr("Alternative %1: empty, matches at once").arg(node.number);
        return tr("Alternative %1").arg(node.number);
    case NodeKind::literal:
        return describeLiteral(node);
    case NodeKind::character:
        return describeCharacter(node);
    case NodeKind::quoteStart:
        return tr("\\Q: everything up to \\E (or the end) is matched as it stands, metacharacters included");
    case NodeKind::quoteEnd:
        return tr("\\E: the end of the quoted text");
    case NodeKind::characterType:
        return describeCharacterType(node);
    case NodeKind::property:
        if (node.value == u'P')
            return tr("One character without the Unicode property “%1”").arg(node.text);
        return tr("One character with the Unicode property “%1”").arg(node.text);
    case NodeKind::anyCharacter:
        if (node.flags & UREGEX_DOTALL)
            return tr("Any character, line breaks included (dot-all)");
        if (node.flags & UREGEX_UNIX_LINES)
            return tr("Any character except a line feed (\\n)");
        return tr("Any character except a line break (\\n, \\r, VT, FF, NEL, LS, PS)");
    case NodeKind::anchor:
        return describeAnchor(node);
    case NodeKind::characterClass: {
        QString words = node.variant ? tr("One character not in this set") : tr("One character from this set");
        if (node.flags & UREGEX_CASE_INSENSITIVE)
            words += tr(", in either case");
        if (!node.closed)
            words += tr(" — the set is not closed with “]”");
        return words;
    }
    case NodeKind::classRange:
        return tr("A character from %1 to %2").arg(characterName(node.value), characterName(node.last));
    case NodeKind::setOperation:
        if (node.variant == u'&')
            return tr("&&: keeps only the characters that are also in what follows (intersection)");
        return tr("--: takes away the characters in what follows (difference)");
    case NodeKind::posixClass:
        if (node.variant)
            return tr("One character without the property “%1” ([:^name:] form)").arg(node.text);
        return tr("One character with the property “%1” ([:name:] form)").arg(node.text);
    case NodeKind::group:
        return describeGroup(node);
    case NodeKind::flagSetting: {
        const qsizetype minus = node.text.indexOf(u'-');
        const QString on = node.text.left(minus < 0 ? node.text.size() : minus);
        const QString off = minus < 0 ? QString() : node.text.mid(minus + 1);
        //: %1 and %2 are flag letters such as "i" or "mx"
        return tr("Flags from here to the end of the enclosing group: on “%1”, off “%2” (i: ignore case, m: "
                  "multiline, s: dot-all, x: free spacing, w: Unicode words, d: Unix lines)")
            .arg(on, off);
    }
    case NodeKind::quantifier:
        return describeQuantifier(node);
    case NodeKind::backReference: {
        const QString caseNote = (node.flags & UREGEX_CASE_INSENSITIVE) ? tr(", in either case") : QString();
        if (node.value == u'k') {
            if (node.number == 0)
                return tr("The text captured by the group named “%1” — no such group").arg(node.text);
            return tr("The same text as group %1 “%2” captured%3").arg(node.number).arg(node.text, caseNote);
        }
        if (node.number > m_captureGroupCount)
            return tr("The text captured by group %1 — the pattern has no such group").arg(node.number);
        return tr("The same text as group %1 captured%2").arg(node.number).arg(caseNote);
    }
    case NodeKind::comment:
        return tr("A comment, ignored when matching");
    case NodeKind::unmatchedParenthesis:
        return tr("A closing parenthesis without an opening one");
    case NodeKind::error:
        //: In the explanation panel: why the pattern does not compile
        return tr("Error: %1").arg(node.text);
    }
    return {};
}

QString PatternExplanation::describeLiteral(const Node &node) const
{
    const QString caseNote = (node.flags & UREGEX_CASE_INSENSITIVE) ? tr(", in either case") : QString();
    const QList<uint> characters = node.text.toUcs4();
    if (characters.size() == 1)
        return tr("The character %1%2").arg(characterName(characters.first()), caseNote);
    return tr("The text “%1”%2").arg(node.text, caseNote);
}

QString PatternExplanation::describeCharacter(const Node &node) const
{
    const QString spelled = m_pattern.mid(node.range.location, node.range.length);
    const QString name = characterName(node.value);
    if (!node.closed)
        return tr("An escape that spells no character: too few digits, or a code past U+10FFFF");
    if (spelled.size() < 2)
        return tr("The character %1").arg(name);
    switch (spelled.at(1).unicode()) {
    case u't':
        return tr("A tab (%1)").arg(name);
    case u'n':
        return tr("A line feed (%1)").arg(name);
    case u'r':
        return tr("A carriage return (%1)").arg(name);
    case u'f':
        return tr("A form feed (%1)").arg(name);
    case u'a':
        return tr("The bell character (%1)").arg(name);
    case u'e':
        return tr("The escape character (%1)").arg(name);
    case u'x':
    case u'u':
    case u'U':
        return tr("The character %1, by its hexadecimal code").arg(name);
    case u'0':
        return tr("The character %1, by its octal code").arg(name);
    case u'c':
        return tr("The control character %1").arg(name);
    case u'N':
        if (node.value == 0 && node.text != QStringLiteral("NULL"))
            return tr("The character named “%1” — ICU knows no such name").arg(node.text);
        return tr("The character named “%1”: %2").arg(node.text, name);
    default:
        break;
    }
    const QChar escaped = spelled.at(1);
    if (escaped.isLetterOrNumber())
        return tr("The character “%1”: an escaped letter ICU gives no meaning stands for itself").arg(escaped);
    return tr("The character %1, escaped so it is not syntax").arg(name);
}

QString PatternExplanation::describeCharacterType(const Node &node) const
{
    switch (node.value) {
    case u'd':
        return tr("A decimal digit, in any script (Unicode category Nd)");
    case u'D':
        return tr("Any character that is not a decimal digit");
    case u'w':
        return tr("A word character: a letter, mark, decimal digit or connector punctuation such as “_”");
    case u'W':
        return tr("Any character that is not a word character");
    case u's':
        return tr("A white-space character (Unicode White_Space), line breaks included");
    case u'S':
        return tr("Any character that is not white space");
    case u'h':
        return tr("A horizontal white-space character: tab, space and the other space separators");
    case u'H':
        return tr("Any character that is not horizontal white space");
    case u'v':
        return tr("A vertical white-space character: \\n, VT, FF, \\r, NEL, LS or PS");
    case u'V':
        return tr("Any character that is not vertical white space");
    case u'R':
        return tr("A line break: \\r\\n as one, or one of \\n, VT, FF, \\r, NEL, LS, PS");
    case u'X':
        return tr("One user-perceived character (an extended grapheme cluster), however many code points");
    default:
        return {};
    }
}

QString PatternExplanation::describeAnchor(const Node &node) const
{
    const bool multiline = node.flags & UREGEX_MULTILINE;
    const bool unixLines = node.flags & UREGEX_UNIX_LINES;
    switch (node.value) {
    case u'^':
        if (!multiline)
            return tr("The start of the text (multiline is off)");
        return unixLines ? tr("The start of a line: the start of the text or just after a \\n (multiline)")
                         : tr("The start of a line: the start of the text or just after a line break (multiline)");
    case u'$':
        if (!multiline)
            return unixLines ? tr("The end of the text, or just before a \\n that ends it (multiline is off)")
                             : tr("The end of the text, or just before a line break that ends it (multiline is off)");
        return unixLines ? tr("The end of a line: just before a \\n, or the end of the text (multiline)")
                         : tr("The end of a line: just before a line break, or the end of the text (multiline)");
    case u'A':
        return tr("The start of the text, whatever multiline says");
    case u'z':
        return tr("The very end of the text");
    case u'Z':
        return tr("The end of the text, or just before a line break that ends it");
    case u'b':
        return (node.flags & UREGEX_UWORD) ? tr("A word boundary, by Unicode's word-break rules")
                                           : tr("A word boundary: between a word character and a non-word character");
    case u'B':
        return (node.flags & UREGEX_UWORD) ? tr("Not a word boundary, by Unicode's word-break rules")
                                           : tr("Not a word boundary");
    case u'G':
        return tr("Where the previous match ended (the start of the search for the first match)");
    default:
        return {};
    }
}

QString PatternExplanation::describeGroup(const Node &node) const
{
    QString words;
    switch (PatternSyntaxReader::GroupKind(node.variant)) {
    case PatternSyntaxReader::GroupKind::capturing:
        words = tr("Capturing group %1").arg(node.number);
        break;
    case PatternSyntaxReader::GroupKind::named:
        words = tr("Capturing group %1, named “%2”").arg(node.number).arg(node.text);
        break;
    case PatternSyntaxReader::GroupKind::nonCapturing:
        words = tr("A group that does not capture");
        break;
    case PatternSyntaxReader::GroupKind::atomic:
        words = tr("An atomic group: once it has matched, the engine never backtracks into it");
        break;
    case PatternSyntaxReader::GroupKind::lookahead:
        words = tr("Lookahead: what follows must match here; nothing is consumed");
        break;
    case PatternSyntaxReader::GroupKind::negativeLookahead:
        words = tr("Negative lookahead: what follows must not match here; nothing is consumed");
        break;
    case PatternSyntaxReader::GroupKind::lookbehind:
        words = tr("Lookbehind: what comes before must match, with a bounded length; nothing is consumed");
        break;
    case PatternSyntaxReader::GroupKind::negativeLookbehind:
        words = tr("Negative lookbehind: what comes before must not match, with a bounded length; nothing is consumed");
        break;
    case PatternSyntaxReader::GroupKind::flagGroup: {
        const qsizetype minus = node.text.indexOf(u'-');
        const QString on = node.text.left(minus < 0 ? node.text.size() : minus);
        const QString off = minus < 0 ? QString() : node.text.mid(minus + 1);
        words = tr("A group that does not capture, with flags on “%1”, off “%2” inside it").arg(on, off);
        break;
    }
    case PatternSyntaxReader::GroupKind::unknown:
        words = tr("A group of a kind ICU does not know");
        break;
    }
    if (!node.closed)
        words += tr(" — not closed");
    return words;
}

QString PatternExplanation::describeQuantifier(const Node &node) const
{
    QString count;
    if (node.number == 0 && node.maximum < 0)
        count = tr("zero or more times");
    else if (node.number == 1 && node.maximum < 0)
        count = tr("one or more times");
    else if (node.number == 0 && node.maximum == 1)
        count = tr("optionally (zero or one time)");
    else if (node.maximum < 0)
        count = tr("at least %Ln time(s)", nullptr, int(node.number));
    else if (node.maximum == node.number)
        count = tr("exactly %Ln time(s)", nullptr, int(node.number));
    else
        //: The plural form follows the maximum, %n
        count = tr("%L1 to %Ln time(s)", nullptr, int(node.maximum)).arg(node.number);
    QString how;
    switch (QuantifierMode(node.variant)) {
    case QuantifierMode::greedy:
        how = tr("as many as possible, giving back as needed (greedy)");
        break;
    case QuantifierMode::lazy:
        how = tr("as few as possible, taking more as needed (lazy)");
        break;
    case QuantifierMode::possessive:
        how = tr("as many as possible, never giving any back (possessive)");
        break;
    }
    if (node.children.isEmpty())
        return tr("Repeats nothing: there is nothing before it to repeat, %1").arg(count);
    // An exact count leaves nothing to give back or take more of.
    if (node.maximum == node.number && QuantifierMode(node.variant) != QuantifierMode::possessive)
        return tr("Repeats the item %1").arg(count);
    //: %1 is a count such as "one or more times", %2 says greedy, lazy or possessive
    return tr("Repeats the item %1, %2").arg(count, how);
}

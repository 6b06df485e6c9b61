#include "core/pattern/PatternSyntaxReader.h"

#include <algorithm>
#include <utility>

namespace {

// ICU's Pattern_White_Space, which free-spacing mode skips.
bool isPatternWhiteSpace(char32_t c)
{
    return (c >= 0x09 && c <= 0x0d) || c == 0x20 || c == 0x85 || c == 0x200e || c == 0x200f || c == 0x2028
        || c == 0x2029;
}

// Where ICU ends a free-spacing "#" comment; not at form feed, vertical tab or U+2029.
bool endsCommentLine(char32_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x85 || c == 0x2028;
}

bool isHexDigit(char32_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isAsciiLetter(char32_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(char32_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isModeFlag(char32_t c)
{
    return c == u'd' || c == u'i' || c == u'm' || c == u's' || c == u'u' || c == u'w' || c == u'x' || c == u'-';
}

// Deeper nesting keeps no checkpoints, so that copying the open groups never costs more than the reading.
constexpr qsizetype deepestCheckpoint = 64;

} // namespace

PatternSyntaxReader::PatternSyntaxReader(const QString &pattern, bool allowCommentsAndWhitespace, bool recordTokens,
                                         qsizetype checkpointInterval)
    : m_pattern(pattern)
    , m_freeSpacing(allowCommentsAndWhitespace)
    , m_recordTokens(recordTokens)
    , m_checkpointInterval(checkpointInterval)
{
    readAll();
}

PatternSyntaxReader::PatternSyntaxReader(const QString &pattern, const Checkpoint &from, const QList<Checkpoint> &later,
                                         qsizetype first, qsizetype shift, qsizetype checkpointInterval)
    : m_pattern(pattern)
    , m_freeSpacing(from.freeSpacing)
    , m_balanced(from.balanced)
    , m_openGroups(from.openGroups)
    , m_position(from.position)
    , m_examined(from.position)
    , m_groupBase(from.groupCount)
    , m_spanBase(from.spanCount)
    , m_checkpointInterval(checkpointInterval)
    , m_lastCheckpoint(from.position)
    , m_later(&later)
    , m_nextLater(first)
    , m_shift(shift)
{
    readAll();
}

QList<TextRange> PatternSyntaxReader::syntaxStretches() const
{
    return syntaxStretches(m_spans, {0, m_pattern.size()});
}

QList<TextRange> PatternSyntaxReader::syntaxStretches(const QList<Span> &spans, TextRange within)
{
    QList<TextRange> excluded;
    for (const Span &span : spans) {
        if (span.kind != SpanKind::characterClass && span.range.end() > within.location
            && span.range.location < within.end())
            excluded.append(span.range);
    }
    // Spans inside an inline comment were read before it was complete, so they come first.
    std::sort(excluded.begin(), excluded.end(),
              [](const TextRange &a, const TextRange &b) { return a.location < b.location; });
    QList<TextRange> stretches;
    qsizetype from = within.location;
    for (const TextRange &range : std::as_const(excluded)) {
        if (range.location > from)
            stretches.append({from, range.location - from});
        from = std::max(from, range.end());
    }
    if (from < within.end())
        stretches.append({from, within.end() - from});
    return stretches;
}

void PatternSyntaxReader::readAll()
{
    // Growing the list by copying costs more than counting once, with hundreds of thousands of groups; a resumed
    // reading stops soon.
    if (!m_later)
        m_groups.reserve(m_pattern.count(u'('));
    for (;;) {
        if (atCheckpoint())
            return;
        const Char c = next();
        if (c.value == endOfText)
            break;
        if (c.quoted) {
            record(TokenKind::character, c.start, c.end, c.value, true);
        } else if (c.value == u'(') {
            readParenthesis(c.start);
        } else if (c.value == u')') {
            if (m_openGroups.isEmpty()) {
                m_balanced = false;
                record(TokenKind::unmatchedClose, c.start, c.end);
                continue;
            }
            const auto [group, freeSpacing] = m_openGroups.takeLast();
            if (group >= m_groupBase)
                m_groups[group - m_groupBase].end = c.end;
            else
                m_closedEarlierGroups.append({group, c.end});
            m_freeSpacing = freeSpacing;
            record(TokenKind::groupClose, c.start, c.end, 0, false, group);
        } else if (c.value == u'[') {
            readClass(c.start);
        } else if (c.value == u'\\') {
            readEscape(c.start);
        } else {
            record(TokenKind::character, c.start, c.end, c.value);
        }
    }
    if (!m_openGroups.isEmpty())
        m_balanced = false;
}

bool PatternSyntaxReader::atCheckpoint()
{
    if (m_recordTokens || m_pending || m_inQuote || m_afterBackslash || !m_hashStartsComment)
        return false;
    if (m_later) {
        while (m_nextLater < m_later->size() && m_later->at(m_nextLater).position + m_shift < m_position)
            ++m_nextLater;
        if (m_nextLater < m_later->size() && m_later->at(m_nextLater).position + m_shift == m_position
            && sameState(m_later->at(m_nextLater))) {
            m_stoppedAt = m_nextLater;
            return true;
        }
    }
    if (m_position - m_lastCheckpoint >= m_checkpointInterval && m_openGroups.size() <= deepestCheckpoint) {
        m_checkpoints.append(checkpoint());
        m_lastCheckpoint = m_position;
    }
    return false;
}

PatternSyntaxReader::Checkpoint PatternSyntaxReader::checkpoint() const
{
    // Having come to the end is something read: text added there may change what was read last.
    return {m_position,
            m_position >= m_pattern.size() ? m_pattern.size() + 1 : m_examined,
            m_freeSpacing,
            m_balanced,
            m_groupBase + m_groups.size(),
            m_spanBase + m_spans.size(),
            m_openGroups};
}

// Groups opened since the reading started may be numbered apart from the earlier reading's by what the edit added.
bool PatternSyntaxReader::sameState(const Checkpoint &earlier) const
{
    if (m_freeSpacing != earlier.freeSpacing || m_balanced != earlier.balanced
        || m_openGroups.size() != earlier.openGroups.size())
        return false;
    const qsizetype renumbered = m_groupBase + m_groups.size() - earlier.groupCount;
    for (qsizetype i = 0; i < m_openGroups.size(); ++i) {
        const auto [group, freeSpacing] = m_openGroups.at(i);
        const auto [earlierGroup, earlierFreeSpacing] = earlier.openGroups.at(i);
        if (freeSpacing != earlierFreeSpacing
            || group != (earlierGroup < m_groupBase ? earlierGroup : earlierGroup + renumbered))
            return false;
    }
    return true;
}

QChar PatternSyntaxReader::at(qsizetype index) const
{
    m_examined = std::max(m_examined, index + 1);
    return m_pattern.at(index);
}

void PatternSyntaxReader::openGroup(qsizetype start, qsizetype openerEnd, GroupKind kind, QString name)
{
    // Before the quoting or comments met while reading the opener, which come after it in the text.
    const qsizetype index = m_groupBase + m_groups.size();
    if (m_recordTokens)
        m_tokens.insert(m_openerTokenIndex, {TokenKind::groupOpen, {start, openerEnd - start}, 0, false, index});
    m_openGroups.append({index, m_freeSpacing});
    const bool capturing = kind == GroupKind::capturing || kind == GroupKind::named;
    m_groups.append({start, std::nullopt, capturing, std::move(name), kind, openerEnd});
}

// After a "(": what it opens is decided by what the scanner hands on next, so "( ?:" in free-spacing mode opens
// no capture group.
void PatternSyntaxReader::readParenthesis(qsizetype start)
{
    m_openerTokenIndex = m_tokens.size();
    const Char following = next();
    if (!following.is(u'?')) {
        m_pending = following;
        openGroup(start, start + 1, GroupKind::capturing);
        return;
    }
    m_hashStartsComment = false;
    const Char kind = next();
    if (kind.is(u'#')) {
        readInlineComment(start);
    } else if (kind.is(u'<')) {
        const Char first = next();
        if (!first.quoted && isAsciiLetter(first.value)) {
            QString name;
            qsizetype end = kind.end;
            Char nameChar = first;
            for (; !nameChar.quoted && (isAsciiLetter(nameChar.value) || isAsciiDigit(nameChar.value));
                 nameChar = next()) {
                name.append(QChar(char16_t(nameChar.value)));
                end = nameChar.end;
            }
            if (nameChar.is(u'>'))
                end = nameChar.end;
            else
                m_pending = nameChar;
            openGroup(start, end, GroupKind::named, name);
        } else if (first.is(u'=')) {
            openGroup(start, first.end, GroupKind::lookbehind);
        } else if (first.is(u'!')) {
            openGroup(start, first.end, GroupKind::negativeLookbehind);
        } else {
            m_pending = first;
            openGroup(start, kind.end, GroupKind::unknown);
        }
    } else if (!kind.quoted && isModeFlag(kind.value)) {
        bool on = true;
        std::optional<bool> freeSpacing;
        qsizetype end = kind.end;
        Char flag = kind;
        for (; !flag.quoted && isModeFlag(flag.value); flag = next()) {
            if (flag.value == u'-')
                on = false;
            else if (flag.value == u'x')
                freeSpacing = on;
            end = flag.end;
        }
        // "(?x)" holds to the end of the enclosing group, "(?x:...)" to its own end.
        if (flag.is(u')')) {
            if (m_recordTokens)
                m_tokens.insert(m_openerTokenIndex, {TokenKind::flagSetting, {start, flag.end - start}});
            m_freeSpacing = freeSpacing.value_or(m_freeSpacing);
        } else {
            if (flag.is(u':'))
                end = flag.end;
            else
                m_pending = flag;
            openGroup(start, end, GroupKind::flagGroup);
            m_freeSpacing = freeSpacing.value_or(m_freeSpacing);
        }
    } else if (kind.is(u':')) {
        openGroup(start, kind.end, GroupKind::nonCapturing);
    } else if (kind.is(u'=')) {
        openGroup(start, kind.end, GroupKind::lookahead);
    } else if (kind.is(u'!')) {
        openGroup(start, kind.end, GroupKind::negativeLookahead);
    } else if (kind.is(u'>')) {
        openGroup(start, kind.end, GroupKind::atomic);
    } else {
        m_pending = kind;
        openGroup(start, following.end, GroupKind::unknown);
    }
}

// Up to the first ")" as the scanner hands it on: one after a backslash counts, one quoted by \Q...\E does not.
void PatternSyntaxReader::readInlineComment(qsizetype start)
{
    // What lies inside is the comment's text, not tokens of its own.
    const bool recordTokens = std::exchange(m_recordTokens, false);
    qsizetype end = m_pattern.size();
    for (Char c = next();; c = next()) {
        if (c.value == endOfText) {
            // ICU refuses the pattern; what follows is taken as the comment.
            m_balanced = false;
            break;
        }
        if (c.is(u')')) {
            end = c.end;
            break;
        }
    }
    addSpan(start, end, SpanKind::inlineComment);
    m_recordTokens = recordTokens;
    record(TokenKind::comment, start, end);
}

void PatternSyntaxReader::readClass(qsizetype start)
{
    if (readPosixProperty(start)) {
        addSpan(start, m_position, SpanKind::characterClass);
        return;
    }
    readClassOpening(start);
    qsizetype depth = 1;
    for (Char c = next();; c = next()) {
        if (c.value == endOfText) {
            addSpan(start, m_pattern.size(), SpanKind::characterClass);
            return;
        }
        if (c.quoted) {
            record(TokenKind::character, c.start, c.end, c.value, true);
        } else if (c.value == u'[') {
            if (!readPosixProperty(c.start)) {
                ++depth;
                readClassOpening(c.start);
            }
        } else if (c.value == u']') {
            record(TokenKind::classClose, c.start, c.end);
            if (--depth == 0) {
                addSpan(start, c.end, SpanKind::characterClass);
                return;
            }
        } else if (c.value == u'\\') {
            readEscape(c.start);
        } else {
            record(TokenKind::character, c.start, c.end, c.value);
        }
    }
}

// A "]" right after the opening "[" or "[^" is a member, not the end.
void PatternSyntaxReader::readClassOpening(qsizetype start)
{
    const qsizetype openerTokenIndex = m_tokens.size();
    Char c = next();
    const bool negated = c.is(u'^');
    const qsizetype end = negated ? c.end : start + 1;
    if (negated)
        c = next();
    if (m_recordTokens)
        m_tokens.insert(openerTokenIndex, {TokenKind::classOpen, {start, end - start}, negated ? u'^' : u'['});
    if (c.is(u']'))
        record(TokenKind::character, c.start, c.end, c.value);
    else
        m_pending = c;
}

// After a "[": a property such as [:alpha:] or [:^L:] when a plain ":" follows the opening "[:" before any
// quoted or escaped character, and a "]" directly follows that ":"; otherwise nothing is consumed and the "["
// opens a set. The look-ahead ends at the first colon, so no stretch is looked ahead over twice.
bool PatternSyntaxReader::readPosixProperty(qsizetype start)
{
    const ScannerState state = saved();
    // ICU takes the first character of the name whatever it is.
    if (next().is(u':') && next().value != endOfText) {
        for (Char c = next(); c.value != endOfText && !c.quoted; c = next()) {
            if (c.value == u':') {
                if (next().value == u']') {
                    record(TokenKind::posixClass, start, m_position);
                    return true;
                }
                break;
            }
        }
    }
    restore(state);
    return false;
}

// After a plain escape's backslash. \p{...}, \P{...} and \N{...} are read to their "}", \k<name> to its ">", so
// that nothing in them is taken for syntax.
void PatternSyntaxReader::readEscape(qsizetype start)
{
    // What lies in its braces is the escape's text, not tokens of its own.
    const bool recordTokens = std::exchange(m_recordTokens, false);
    const Char escaped = next();
    qsizetype end = escaped.value == endOfText ? start + 1 : escaped.end;
    if (!escaped.quoted && (escaped.value == u'p' || escaped.value == u'P' || escaped.value == u'N'))
        end = readBraced(u'}', end);
    else if (!escaped.quoted && escaped.value == u'k')
        end = readBraced(u'>', end);
    m_recordTokens = recordTokens;
    record(TokenKind::escape, start, end, escaped.value == endOfText ? 0 : escaped.value, escaped.quoted);
}

// Returns where the braced part ends, or end when there is none.
qsizetype PatternSyntaxReader::readBraced(char16_t closer, qsizetype end)
{
    const Char opener = next();
    if (!opener.is(closer == u'}' ? u'{' : u'<')) {
        m_pending = opener;
        return end;
    }
    end = opener.end;
    for (Char c = next(); c.value != endOfText; c = next()) {
        end = c.end;
        if (c.is(closer))
            break;
    }
    return end;
}

PatternSyntaxReader::Char PatternSyntaxReader::next()
{
    if (m_pending) {
        const Char c = *m_pending;
        m_pending.reset();
        return c;
    }
    return scan();
}

// The compiler's character scanner: quoting, free-spacing skips and the escapes that stand for one literal
// character are dealt with here, so that the reading above sees only what the compiler's grammar sees.
PatternSyntaxReader::Char PatternSyntaxReader::scan()
{
    const qsizetype length = m_pattern.size();
    for (;;) {
        if (m_inQuote) {
            if (m_position >= length) {
                addSpan(m_quoteStart, length, SpanKind::quotedText);
                m_inQuote = false;
                continue;
            }
            if (at(m_position) == u'\\' && m_position + 1 < length && at(m_position + 1) == u'E') {
                addSpan(m_quoteStart, m_position, SpanKind::quotedText);
                record(TokenKind::quoteClose, m_position, m_position + 2);
                m_inQuote = false;
                m_position += 2;
                continue;
            }
            const Char c {codePointAt(m_position), true, m_position, codePointEnd(m_position)};
            m_position = c.end;
            m_hashStartsComment = true;
            return c;
        }
        if (m_afterBackslash) {
            m_afterBackslash = false;
            if (m_position >= length) {
                m_examined = length + 1;
                return {endOfText, false, length, length};
            }
            const Char c {codePointAt(m_position), false, m_position, codePointEnd(m_position)};
            m_position = c.end;
            m_hashStartsComment = true;
            return c;
        }
        if (m_freeSpacing) {
            while (m_position < length) {
                const char32_t c = codePointAt(m_position);
                if (c == u'#' && m_hashStartsComment) {
                    const qsizetype start = m_position;
                    while (m_position < length && !endsCommentLine(codePointAt(m_position)))
                        m_position = codePointEnd(m_position);
                    addSpan(start, m_position, SpanKind::freeSpacingComment);
                    record(TokenKind::comment, start, m_position);
                } else if (isPatternWhiteSpace(c)) {
                    m_position = codePointEnd(m_position);
                } else {
                    break;
                }
            }
        }
        m_hashStartsComment = true;
        if (m_position >= length) {
            m_examined = length + 1;
            return {endOfText, false, length, length};
        }

        const qsizetype start = m_position;
        const char32_t c = codePointAt(m_position);
        m_position = codePointEnd(m_position);
        if (c != u'\\' || m_position >= length)
            return {c, false, start, m_position};

        const char16_t escaped = at(m_position).unicode();
        switch (escaped) {
        case u'Q':
            m_position += 1;
            record(TokenKind::quoteOpen, start, m_position);
            m_inQuote = true;
            m_quoteStart = m_position;
            continue;
        case u'a':
        case u'e':
        case u'f':
        case u'n':
        case u'r':
        case u't':
            m_position += 1;
            return {escaped, true, start, m_position};
        case u'c':
            // The control character of whatever comes next, taken as it stands, even "(" or a backslash.
            m_position += 1;
            if (m_position < length)
                m_position = codePointEnd(m_position);
            return {u'c', true, start, m_position};
        case u'x':
            m_position += 1;
            if (m_position < length && at(m_position) == u'{') {
                m_position += 1;
                skipHexDigits(8);
                if (m_position < length && at(m_position) == u'}')
                    m_position += 1;
            } else {
                skipHexDigits(2);
            }
            return {u'x', true, start, m_position};
        case u'u':
            m_position += 1;
            skipHexDigits(4);
            return {u'u', true, start, m_position};
        case u'U':
            m_position += 1;
            skipHexDigits(8);
            return {u'U', true, start, m_position};
        case u'0':
            m_position += 1;
            for (int digits = 0; digits < 3 && m_position < length && at(m_position) >= u'0' && at(m_position) <= u'7';
                 ++digits)
                m_position += 1;
            return {u'0', true, start, m_position};
        default:
            m_afterBackslash = true;
            return {u'\\', false, start, m_position};
        }
    }
}

char32_t PatternSyntaxReader::codePointAt(qsizetype index) const
{
    const QChar c = at(index);
    if (c.isHighSurrogate() && index + 1 < m_pattern.size() && at(index + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(c, at(index + 1));
    return c.unicode();
}

qsizetype PatternSyntaxReader::codePointEnd(qsizetype index) const
{
    if (at(index).isHighSurrogate() && index + 1 < m_pattern.size() && at(index + 1).isLowSurrogate())
        return index + 2;
    return index + 1;
}

void PatternSyntaxReader::skipHexDigits(int maximum)
{
    for (int digits = 0; digits < maximum && m_position < m_pattern.size() && isHexDigit(at(m_position).unicode());
         ++digits)
        m_position += 1;
}

void PatternSyntaxReader::record(TokenKind kind, qsizetype start, qsizetype end, char32_t value, bool quoted,
                                 qsizetype group)
{
    if (m_recordTokens)
        m_tokens.append({kind, {start, end - start}, value, quoted, group});
}

void PatternSyntaxReader::addSpan(qsizetype start, qsizetype end, SpanKind kind)
{
    if (end > start)
        m_spans.append({{start, end - start}, kind});
}

PatternSyntaxReader::ScannerState PatternSyntaxReader::saved() const
{
    return {m_position,          m_inQuote, m_quoteStart,   m_afterBackslash,
            m_hashStartsComment, m_pending, m_spans.size(), m_tokens.size()};
}

void PatternSyntaxReader::restore(const ScannerState &state)
{
    m_position = state.position;
    m_inQuote = state.inQuote;
    m_quoteStart = state.quoteStart;
    m_afterBackslash = state.afterBackslash;
    m_hashStartsComment = state.hashStartsComment;
    m_pending = state.pending;
    m_spans.resize(state.spanCount);
    m_tokens.resize(state.tokenCount);
}

#pragma once

#include "core/pattern/TextRange.h"

#include <QList>
#include <QString>

#include <limits>
#include <optional>

// Reads a pattern the way ICU's regular-expression compiler reads it, in one left-to-right pass over code points:
// \Q...\E quoting (an unclosed \Q quotes to the end), (?#...) comments, free spacing (whitespace and "#" comments
// skipped wherever the comments flag is on, by the switch or by inline flags with their scopes), escapes,
// bracketed classes with nested sets and [:name:] properties, and the parentheses with the kind of group each one
// opens. Patterns ICU rejects are read on a best-effort basis and never fail. Asked to, it also records every token
// it reads, for the explanation's syntax tree.
class PatternSyntaxReader final
{
public:
    enum class GroupKind {
        capturing,
        named,
        nonCapturing,
        atomic,
        lookahead,
        negativeLookahead,
        lookbehind,
        negativeLookbehind,
        // (?i-m:...)
        flagGroup,
        // "(?" followed by something ICU does not know.
        unknown,
    };

    // What the scanner hands on, in reading order; characters inside a comment are not recorded.
    enum class TokenKind {
        // One character as the scanner hands it on: literal, quoted, spelled as an escape such as \x41 or \t, or a
        // metacharacter such as "*", "|" or, in a class, "-" (then not quoted).
        character,
        // A backslash and what it escapes as the grammar sees it: \d, \p{...}, \k<name>, \1, \.
        escape,
        // The opening syntax of a group, such as "(" or "(?<name>"; group indexes groups().
        groupOpen,
        groupClose,
        // A ")" that closes nothing.
        unmatchedClose,
        // "(?i-m)", which sets flags to the end of the enclosing group.
        flagSetting,
        // "[" or "[^" of a class or a nested set; value is "^" for a negated one.
        classOpen,
        classClose,
        // [:alpha:] or [:^alpha:], inside a class or as a class of its own.
        posixClass,
        quoteOpen,
        quoteClose,
        // An inline or a free-spacing comment.
        comment,
    };

    struct Token
    {
        TokenKind kind = TokenKind::character;
        TextRange range;
        // The character for a character, the escaped character for an escape; for an escape sequence that spells
        // one character (\x41), the letter after its backslash.
        char32_t value = 0;
        bool quoted = false;
        qsizetype group = -1;
    };

    enum class SpanKind {
        // The text between \Q and \E (or the end): plain characters, whatever they look like.
        quotedText,
        // From "(?#" through its ")", or to the end when it is not closed.
        inlineComment,
        // A "#" comment of free-spacing mode, up to (not including) the line end.
        freeSpacingComment,
        // An outermost bracketed class from "[" through its "]", or to the end when it is not closed.
        characterClass,
    };

    struct Span
    {
        TextRange range;
        SpanKind kind = SpanKind::quotedText;
    };

    // One parenthesised construct that takes part in the balancing; (?#...) comments and (?x) flag settings do not.
    struct Group
    {
        qsizetype open = 0;
        // Just past the closing ")"; none while the group is open.
        std::optional<qsizetype> end;
        bool capturing = false;
        // For (?<name>...).
        QString name;
        GroupKind kind = GroupKind::capturing;
        // Just past the opening syntax, such as "(?<name>" or "(?i:".
        qsizetype openerEnd = 0;
    };

    // The state between two tokens outside every class, quote and comment, where a reading of an edited pattern
    // can start again, and stop once its state is an earlier reading's again.
    struct Checkpoint
    {
        qsizetype position = 0;
        // How far the reading had looked to get here: an edit from there on leaves this state as it is.
        qsizetype examined = 0;
        bool freeSpacing = false;
        bool balanced = true;
        qsizetype groupCount = 0;
        qsizetype spanCount = 0;
        // Per open group: its index in groups() and the free-spacing flag its ")" restores.
        QList<std::pair<qsizetype, bool>> openGroups;
    };

    // Short enough that reading from one to the next costs little beside a keystroke.
    static constexpr qsizetype defaultCheckpointInterval = 4096;

    PatternSyntaxReader(const QString &pattern, bool allowCommentsAndWhitespace, bool recordTokens = false,
                        qsizetype checkpointInterval = defaultCheckpointInterval);
    // Reads an edited pattern on from a checkpoint before the edit up to the first checkpoint of `later` (the
    // earlier reading's, from index `first` on, which lie past the edit; positions there moved by `shift`) at which
    // the state is that checkpoint's again, or to the end. Groups, spans and checkpoints are then only those read
    // here; group indexes go on from the checkpoint's count.
    PatternSyntaxReader(const QString &pattern, const Checkpoint &from, const QList<Checkpoint> &later, qsizetype first,
                        qsizetype shift, qsizetype checkpointInterval = defaultCheckpointInterval);

    // In the order of their opening parentheses.
    const QList<Group> &groups() const { return m_groups; }
    // False when a ")" closes nothing or a group is never closed.
    bool isBalanced() const { return m_balanced; }
    // In the order they were read; quoted text and free-spacing comments may lie inside a class or an inline
    // comment.
    const QList<Span> &spans() const { return m_spans; }
    // The stretches outside every quoted text and comment, in text order: where the text is pattern syntax.
    QList<TextRange> syntaxStretches() const;
    // Empty unless asked for.
    const QList<Token> &tokens() const { return m_tokens; }
    // Never while recording tokens: the first at the start, then about one per checkpoint interval.
    const QList<Checkpoint> &checkpoints() const { return m_checkpoints; }
    // Resumed reading: the index in `later` where it stopped, none when it read to the end.
    std::optional<qsizetype> stoppedAt() const { return m_stoppedAt; }
    // Resumed reading: (index, end) of groups opened before the start and closed here.
    const QList<std::pair<qsizetype, qsizetype>> &closedEarlierGroups() const { return m_closedEarlierGroups; }

    static QList<TextRange> syntaxStretches(const QList<Span> &spans, TextRange within);

private:
    static constexpr char32_t endOfText = 0xffffffff;

    // One character as the compiler's scanner hands it on. A quoted one is literal whatever it is: quoted by
    // \Q...\E or spelled as an escape such as \x28.
    struct Char
    {
        char32_t value = endOfText;
        bool quoted = false;
        qsizetype start = 0;
        qsizetype end = 0;

        bool is(char16_t c) const { return !quoted && value == c; }
    };

    struct ScannerState
    {
        qsizetype position = 0;
        bool inQuote = false;
        qsizetype quoteStart = 0;
        bool afterBackslash = false;
        bool hashStartsComment = true;
        std::optional<Char> pending;
        qsizetype spanCount = 0;
        qsizetype tokenCount = 0;
    };

    void readAll();
    bool atCheckpoint();
    Checkpoint checkpoint() const;
    bool sameState(const Checkpoint &earlier) const;
    QChar at(qsizetype index) const;
    void readParenthesis(qsizetype start);
    void openGroup(qsizetype start, qsizetype openerEnd, GroupKind kind, QString name = {});
    void readInlineComment(qsizetype start);
    void readClass(qsizetype start);
    void readClassOpening(qsizetype start);
    bool readPosixProperty(qsizetype start);
    void readEscape(qsizetype start);
    qsizetype readBraced(char16_t closer, qsizetype end);
    void record(TokenKind kind, qsizetype start, qsizetype end, char32_t value = 0, bool quoted = false,
                qsizetype group = -1);

    Char next();
    Char scan();
    char32_t codePointAt(qsizetype index) const;
    qsizetype codePointEnd(qsizetype index) const;
    void skipHexDigits(int maximum);
    void addSpan(qsizetype start, qsizetype end, SpanKind kind);

    ScannerState saved() const;
    void restore(const ScannerState &state);

    QString m_pattern;
    bool m_freeSpacing = false;
    bool m_balanced = true;
    QList<Group> m_groups;
    QList<Span> m_spans;
    bool m_recordTokens = false;
    QList<Token> m_tokens;
    // Where the token of the parenthesis being read goes.
    qsizetype m_openerTokenIndex = 0;
    // Per open group: its index in m_groups and the free-spacing flag to restore when it closes.
    QList<std::pair<qsizetype, bool>> m_openGroups;

    qsizetype m_position = 0;
    bool m_inQuote = false;
    qsizetype m_quoteStart = 0;
    // The character after a plain escape's backslash is taken as it stands: no quoting, no skipping.
    bool m_afterBackslash = false;
    // Off for the one character after "(?", so that "(?#" opens a comment group even in free-spacing mode.
    bool m_hashStartsComment = true;
    std::optional<Char> m_pending;
    mutable qsizetype m_examined = 0;

    QList<Checkpoint> m_checkpoints;
    qsizetype m_groupBase = 0;
    qsizetype m_spanBase = 0;
    qsizetype m_checkpointInterval = defaultCheckpointInterval;
    qsizetype m_lastCheckpoint = std::numeric_limits<qsizetype>::min() / 2;
    QList<std::pair<qsizetype, qsizetype>> m_closedEarlierGroups;
    const QList<Checkpoint> *m_later = nullptr;
    qsizetype m_nextLater = 0;
    qsizetype m_shift = 0;
    std::optional<qsizetype> m_stoppedAt;
};

// Moved as bytes when a list of them grows: patterns may hold hundreds of thousands of groups.
Q_DECLARE_TYPEINFO(PatternSyntaxReader::Group, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(PatternSyntaxReader::Span, Q_PRIMITIVE_TYPE);
Q_DECLARE_TYPEINFO(PatternSyntaxReader::Token, Q_PRIMITIVE_TYPE);

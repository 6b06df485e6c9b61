#pragma once

#include "core/pattern/PatternExplanation.h"
#include "core/pattern/PatternSyntaxReader.h"

#include <QList>

// Builds a PatternExplanation's tree from the tokens PatternSyntaxReader records: alternation, quantifiers and their
// counts, back-reference digits and the members, ranges and operators of classes are read from the token stream,
// never from a scan of its own. Groups and classes are read with explicit stacks, so a deep nesting cannot overflow
// the thread's stack. Made for one build().
class PatternExplanationBuilder final
{
public:
    explicit PatternExplanationBuilder(PatternExplanation &explanation);

    void build();

private:
    using Token = PatternSyntaxReader::Token;

    // One alternative being read: its items so far and where it starts.
    struct Branch
    {
        QList<int> items;
        qsizetype start = 0;
        qsizetype end = 0;
    };

    // One group being read, the whole pattern at the bottom.
    struct Frame
    {
        int node = 0;
        QList<Branch> branches;
        uint32_t flags = 0;
        // The literal run the next plain character extends; where its last character starts and the one before it
        // ends, for a quantifier to take the last one off.
        int run = -1;
        qsizetype runLastStart = 0;
        qsizetype runBeforeLastEnd = 0;
    };

    int newNode(PatternExplanation::NodeKind kind, const TextRange &range, uint32_t flags);
    void append(int node);
    void adopt(int parent, const QList<int> &children);
    void close(Frame &frame, qsizetype end);
    bool isPlain(qsizetype index, char16_t c) const;
    QStringView text(const TextRange &range) const;

    bool readQuantifier(qsizetype &index);
    void readCharacter(const Token &token);
    void readEscape(qsizetype &index);
    void readGroupOpen(const Token &token);
    int readClass(qsizetype &index);
    int classMember(const Token &token, uint32_t flags);

    PatternExplanation &m_explanation;
    QList<PatternExplanation::Node> &m_nodes;
    QList<Token> m_tokens;
    QList<PatternSyntaxReader::Group> m_groups;
    // Capture numbers by group index, 0 for groups that do not capture.
    QList<qint64> m_groupNumbers;
    int m_openedCaptures = 0;
    QList<Frame> m_frames;
};

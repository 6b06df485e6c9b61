#pragma once

#include "core/pattern/TextRange.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// A pattern as the tree of elements ICU reads in it, each with its UTF-16 span and its meaning in plain words. It is
// built from PatternSyntaxReader's tokens, so quoting, comments, free spacing and group numbering are read exactly as
// the colouring and the capture groups read them. The compile flags (ICU's UREGEX_ bits) are handed in; where they or
// inline flags change what an element means, its words say so. Words are made only when asked for.
class PatternExplanation final
{
    Q_DECLARE_TR_FUNCTIONS(PatternExplanation)

public:
    enum class NodeKind {
        pattern,
        alternation,
        alternative,
        // A run of characters matched as they stand.
        literal,
        // One character spelled as an escape: \t, \x41, \0101, \cA, \N{...}, \.
        character,
        quoteStart,
        quoteEnd,
        // \d \w \s \h \v \R \X and their negations.
        characterType,
        // \p{...} \P{...}
        property,
        anyCharacter,
        anchor,
        characterClass,
        classRange,
        // && or -- in a class.
        setOperation,
        posixClass,
        group,
        flagSetting,
        quantifier,
        backReference,
        comment,
        unmatchedParenthesis,
        error,
    };

    enum class QuantifierMode { greedy, lazy, possessive };

    // Where and why ICU refused the pattern: the UTF-16 index of the character it stopped at (the pattern's length at
    // its end, -1 when it gives no place) and what is wrong, in words.
    struct Error
    {
        qsizetype position = -1;
        QString message;
    };

    struct Node
    {
        NodeKind kind = NodeKind::pattern;
        TextRange range;
        int parent = -1;
        // The index of this node among its parent's children.
        int row = 0;
        QList<int> children;
        // The compile flags in effect here, inline flags included.
        uint32_t flags = 0;
        // Group: its PatternSyntaxReader::GroupKind; quantifier: its QuantifierMode; class: 1 when negated;
        // set operation: the operator character.
        int variant = 0;
        // Capture group and back-reference: the group number (0 for a group that does not capture); quantifier: the
        // minimum; alternative: its number from 1.
        qint64 number = 0;
        // Quantifier: the maximum, -1 for no limit.
        qint64 maximum = 0;
        // Character and range: the first character; character type and anchor: the letter that names it.
        char32_t value = 0;
        // Range: the last character.
        char32_t last = 0;
        // Literal: the characters; group and back-reference: the name; flags, property and error: their text.
        QString text;
        // False for a group or class without its closing bracket, and for an escape that spells no character.
        bool closed = true;
    };

    // Longer patterns are not explained: their tree would hold up the interface thread.
    static constexpr qsizetype maximumLength = 20'000;

    PatternExplanation(const QString &pattern, uint32_t flags, const std::optional<Error> &error = std::nullopt);

    const QString &pattern() const { return m_pattern; }
    uint32_t flags() const { return m_flags; }
    bool isTooLong() const { return m_tooLong; }
    // Node 0 is the whole pattern.
    static constexpr int root = 0;
    const Node &node(int index) const { return m_nodes.at(index); }
    // The capturing groups, as ICU numbers them.
    int captureGroupCount() const { return m_captureGroupCount; }

    // The element in plain words.
    QString description(int index) const;
    // The innermost element whose span holds the character at position; the root when none does.
    int nodeAt(qsizetype position) const;

private:
    // Builds the nodes.
    friend class PatternExplanationBuilder;

    int addNode(Node node);
    void pruneFrom(qsizetype position);

    QString describeLiteral(const Node &node) const;
    QString describeCharacter(const Node &node) const;
    QString describeCharacterType(const Node &node) const;
    QString describeAnchor(const Node &node) const;
    QString describeGroup(const Node &node) const;
    QString describeQuantifier(const Node &node) const;

    QString m_pattern;
    uint32_t m_flags = 0;
    bool m_tooLong = false;
    int m_captureGroupCount = 0;
    QList<Node> m_nodes;
};

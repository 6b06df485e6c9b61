#pragma once

#include "pattern/CaptureGroup.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

// Finds the capture groups of a pattern by reading its text, without compiling it: backslash escapes, bracketed
// classes and parentheses, scanned over user-perceived characters. Made for one parse() and then dropped.
class CaptureGroupParser final
{
public:
    enum class CaptureGroupParserError {
        // The parentheses do not balance.
        invalidPattern,
    };

    class Result final
    {
    public:
        Result(QList<CaptureGroup> groups)
            : m_value(std::move(groups))
        {
        }
        Result(CaptureGroupParserError error)
            : m_value(error)
        {
        }

        bool hasValue() const { return std::holds_alternative<QList<CaptureGroup>>(m_value); }
        explicit operator bool() const { return hasValue(); }
        // Only when hasValue().
        const QList<CaptureGroup> &value() const { return std::get<QList<CaptureGroup>>(m_value); }
        // Only when !hasValue().
        CaptureGroupParserError error() const { return std::get<CaptureGroupParserError>(m_value); }

    private:
        std::variant<QList<CaptureGroup>, CaptureGroupParserError> m_value;
    };

    explicit CaptureGroupParser(const QString &pattern);

    // The pattern with every escaped backslash blanked out; same length and positions as the one handed in.
    const QString &pattern() const { return m_pattern; }

    // The capturing groups in the order of their opening parentheses, group 0 (the whole pattern) first.
    Result parse();

private:
    // UTF-16 offset of every user-perceived character, then the pattern's length.
    const QList<qsizetype> &patternCharacters();
    bool isCharacter(qsizetype index, char16_t character) const;
    bool opensNamedGroup(qsizetype index) const;

    QString m_pattern;
    QList<CaptureGroup> m_groups;
    qint64 m_bracketDepth = 0;
    std::optional<QList<qsizetype>> m_patternCharacters;
    // Per character: its code unit when it is a single one, else 0 (no syntax character is NUL).
    QList<char16_t> m_singleUnits;
};

#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

// One test kept with an expression: an input text and what the pattern must find in it. Written as a JSON object
// {"input": …, "expect": "match" | "noMatch" | "wholeMatch" | "matches"}, the last with "values" (the captures of
// "group", 0 when absent, in order of the matches) beside it. Keys of other versions are kept and written back.
class ExpressionTestCase final
{
    Q_DECLARE_TR_FUNCTIONS(ExpressionTestCase)

public:
    enum class Expectation { match, noMatch, wholeMatch, matches };

    ExpressionTestCase() = default;
    ExpressionTestCase(const QString &input, Expectation expectation, const QStringList &values = {}, int group = 0);

    // None when the object is not one this version can read.
    static std::optional<ExpressionTestCase> fromJsonObject(const QJsonObject &object);
    QJsonObject jsonObject() const;

    QString input() const { return m_input; }
    Expectation expectation() const { return m_expectation; }
    // For Expectation::matches: the capture group compared, and its captures in order; a match in which the group
    // took no part adds nothing.
    int group() const { return m_group; }
    QStringList values() const { return m_values; }

    // The same case expecting something else; a list keeps its values, or starts empty.
    ExpressionTestCase withExpectation(Expectation expectation) const;

    // What the expectation asks for, in a short phrase for the user, e.g. "a match of the whole input".
    QString expectationText() const;
    static QString expectationName(Expectation expectation);
    // Texts as a verdict shows them, quoted and escaped as in JSON: ["a","b"].
    static QString listText(const QStringList &texts);

    friend bool operator==(const ExpressionTestCase &, const ExpressionTestCase &) = default;

private:
    QString m_input;
    Expectation m_expectation = Expectation::match;
    int m_group = 0;
    QStringList m_values;
    QJsonObject m_keptMembers;
};

#include "core/library/ExpressionTestCase.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <array>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr QLatin1StringView inputKey = "input"_L1;
constexpr QLatin1StringView expectKey = "expect"_L1;
constexpr QLatin1StringView groupKey = "group"_L1;
constexpr QLatin1StringView valuesKey = "values"_L1;

constexpr std::array expectationNames {"match"_L1, "noMatch"_L1, "wholeMatch"_L1, "matches"_L1};

} // namespace

ExpressionTestCase::ExpressionTestCase(const QString &input, Expectation expectation, const QStringList &values,
                                       int group)
    : m_input(input)
    , m_expectation(expectation)
    , m_group(group)
    , m_values(values)
{
}

std::optional<ExpressionTestCase> ExpressionTestCase::fromJsonObject(const QJsonObject &object)
{
    const QJsonValue input = object.value(inputKey);
    const QJsonValue expect = object.value(expectKey);
    if (!input.isString() || !expect.isString())
        return std::nullopt;
    const auto name = std::find(expectationNames.begin(), expectationNames.end(), expect.toString());
    if (name == expectationNames.end())
        return std::nullopt;
    ExpressionTestCase testCase(input.toString(), Expectation(name - expectationNames.begin()));
    testCase.m_keptMembers = object;
    testCase.m_keptMembers.remove(inputKey);
    testCase.m_keptMembers.remove(expectKey);
    if (testCase.m_expectation != Expectation::matches)
        return testCase;

    const QJsonValue values = object.value(valuesKey);
    if (!values.isArray())
        return std::nullopt;
    for (const QJsonValue &value : values.toArray()) {
        if (!value.isString())
            return std::nullopt;
        testCase.m_values.append(value.toString());
    }
    if (object.contains(groupKey)) {
        // Whole numbers only: 1.5 or -1 name no group.
        const double group = object.value(groupKey).toDouble(-1);
        if (group < 0 || group > std::numeric_limits<int>::max() || group != int(group))
            return std::nullopt;
        testCase.m_group = int(group);
    }
    testCase.m_keptMembers.remove(valuesKey);
    testCase.m_keptMembers.remove(groupKey);
    return testCase;
}

QJsonObject ExpressionTestCase::jsonObject() const
{
    QJsonObject object = m_keptMembers;
    object.insert(inputKey, m_input);
    object.insert(expectKey, expectationName(m_expectation));
    if (m_expectation == Expectation::matches) {
        object.insert(valuesKey, QJsonArray::fromStringList(m_values));
        if (m_group != 0)
            object.insert(groupKey, m_group);
    }
    return object;
}

ExpressionTestCase ExpressionTestCase::withExpectation(Expectation expectation) const
{
    ExpressionTestCase changed = *this;
    changed.m_expectation = expectation;
    return changed;
}

QString ExpressionTestCase::expectationName(Expectation expectation)
{
    return expectationNames.at(size_t(expectation));
}

QString ExpressionTestCase::expectationText() const
{
    switch (m_expectation) {
    case Expectation::match:
        //: What a test expects of the pattern
        return tr("a match");
    case Expectation::noMatch:
        //: What a test expects of the pattern
        return tr("no match");
    case Expectation::wholeMatch:
        //: What a test expects of the pattern
        return tr("a match of the whole input");
    case Expectation::matches:
        break;
    }
    const QString list = listText(m_values);
    //: What a test expects of the pattern; %1 is a list of texts such as ["a","b"]
    return m_group == 0 ? tr("the matches %1").arg(list) : tr("group %1 capturing %2").arg(m_group).arg(list);
}

QString ExpressionTestCase::listText(const QStringList &texts)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(texts)).toJson(QJsonDocument::Compact));
}

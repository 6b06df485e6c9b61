#include "core/library/Expression.h"

#include "core/library/JsonSerializableDelegate.h"

#include <QJsonArray>

using namespace Qt::StringLiterals;

namespace {
constexpr QLatin1StringView nameKey = "name"_L1;
constexpr QLatin1StringView patternKey = "pattern"_L1;
constexpr QLatin1StringView textKey = "text"_L1;
constexpr QLatin1StringView replacementKey = "replacement"_L1;
constexpr QLatin1StringView testsKey = "tests"_L1;

// None when any case cannot be read: the tests are then kept whole, so that no case is lost.
std::optional<QList<ExpressionTestCase>> readTests(const QJsonValue &value)
{
    if (!value.isArray())
        return std::nullopt;
    QList<ExpressionTestCase> tests;
    for (const QJsonValue &element : value.toArray()) {
        auto testCase = ExpressionTestCase::fromJsonObject(element.toObject());
        if (!element.isObject() || !testCase)
            return std::nullopt;
        tests.append(std::move(*testCase));
    }
    return tests;
}
} // namespace

Expression::Expression(QObject *parent)
    : QObject(parent)
    //: New expression title
    , m_name(tr("New Expression"))
{
}

Expression::Expression(const QString &name, const QString &pattern, const QString &text, QObject *parent)
    : QObject(parent)
    , m_name(name)
    , m_pattern(pattern)
    , m_text(text)
{
}

Expression::~Expression() = default;

Expected<std::shared_ptr<Expression>, DictionaryError> Expression::fromJsonObject(const QJsonObject &object)
{
    const auto name = requiredValue(object, nameKey);
    if (!name)
        return name.error();
    const auto pattern = requiredValue(object, patternKey);
    if (!pattern)
        return pattern.error();
    const auto text = requiredValue(object, textKey);
    if (!text)
        return text.error();
    auto expression = std::make_shared<Expression>(name.value(), pattern.value(), text.value());
    expression->m_keptMembers = object;
    for (const QLatin1StringView key : {nameKey, patternKey, textKey})
        expression->m_keptMembers.remove(key);
    if (const QJsonValue replacement = object.value(replacementKey); replacement.isString()) {
        expression->m_replacement = replacement.toString();
        expression->m_keptMembers.remove(replacementKey);
    }
    // Readable tests stay among the kept members as read: the store writes them from there, and the list is only
    // turned back into JSON when it changes.
    if (object.contains(testsKey)) {
        const auto tests = readTests(object.value(testsKey));
        expression->m_tests = tests.value_or(QList<ExpressionTestCase>());
        expression->m_testsUnreadable = !tests;
    }
    return expression;
}

QJsonObject Expression::jsonObject() const
{
    const JsonMembers members = jsonMembers();
    QJsonObject object = members.kept;
    for (const JsonMember &member : members.used) {
        if (!object.contains(member.key))
            object.insert(member.key, member.value);
    }
    return object;
}

Expression::JsonMembers Expression::jsonMembers() const
{
    // The replacement is always written: readers ignore keys they do not know, so older versions still load the
    // file.
    return {{{{nameKey, m_name}, {patternKey, m_pattern}, {replacementKey, m_replacement}, {textKey, m_text}}},
            m_keptMembers};
}

void Expression::setName(const QString &name)
{
    m_name = name;
    notifyDelegate();
    Q_EMIT nameChanged();
}

void Expression::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    notifyDelegate();
    Q_EMIT patternChanged();
}

void Expression::setText(const QString &text)
{
    m_text = text;
    notifyDelegate();
    Q_EMIT textChanged();
}

void Expression::setReplacement(const QString &replacement)
{
    m_replacement = replacement;
    // The value of another type that was kept for its writer gives way to the user's edit.
    m_keptMembers.remove(replacementKey);
    notifyDelegate();
    Q_EMIT replacementChanged();
}

void Expression::setTests(const QList<ExpressionTestCase> &tests)
{
    m_tests = tests;
    m_testsUnreadable = false;
    if (tests.isEmpty()) {
        m_keptMembers.remove(testsKey);
    } else {
        QJsonArray array;
        for (const ExpressionTestCase &testCase : tests)
            array.append(testCase.jsonObject());
        m_keptMembers.insert(testsKey, array);
    }
    notifyDelegate();
    Q_EMIT testsChanged();
}

JsonSerializableDelegate *Expression::delegate() const
{
    return m_delegateObject ? m_delegate : nullptr;
}

void Expression::setDelegate(JsonSerializableDelegate *delegate)
{
    QObject *object = dynamic_cast<QObject *>(delegate);
    Q_ASSERT_X(!delegate || object, "Expression::setDelegate", "the delegate must be a QObject");
    m_delegate = object ? delegate : nullptr;
    m_delegateObject = object;
}

void Expression::notifyDelegate()
{
    if (JsonSerializableDelegate *target = delegate())
        target->jsonSerializableDidChange(this);
}

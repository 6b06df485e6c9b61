#include "core/library/Expression.h"

#include "core/library/JsonSerializableDelegate.h"

using namespace Qt::StringLiterals;

namespace {
constexpr QLatin1StringView nameKey = "name"_L1;
constexpr QLatin1StringView patternKey = "pattern"_L1;
constexpr QLatin1StringView textKey = "text"_L1;
constexpr QLatin1StringView replacementKey = "replacement"_L1;
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
    expression->m_replacement = object.value(replacementKey).toString();
    return expression;
}

QJsonObject Expression::jsonObject() const
{
    QJsonObject object;
    for (const JsonMember &member : jsonMembers())
        object.insert(member.key, member.value);
    return object;
}

std::array<Expression::JsonMember, 4> Expression::jsonMembers() const
{
    // The replacement is always written: readers ignore keys they do not know, so older versions still load the
    // file.
    return {{{nameKey, m_name}, {patternKey, m_pattern}, {replacementKey, m_replacement}, {textKey, m_text}}};
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
    notifyDelegate();
    Q_EMIT replacementChanged();
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

#include "core/settings/UserDefaults.h"

#include <QSettings>

namespace {

enum class ValueType { boolean, integer, string, any };

ValueType valueType(const QString &key)
{
    const std::optional<UserDefaultsKey> known = userDefaultsKey(key);
    if (!known)
        return ValueType::any;
    switch (*known) {
    case UserDefaultsKey::appearanceMode:
    case UserDefaultsKey::referenceType:
    case UserDefaultsKey::timeBudget:
    case UserDefaultsKey::backtrackStackLimit:
        return ValueType::integer;
    case UserDefaultsKey::caseInsensitive:
    case UserDefaultsKey::multiline:
    case UserDefaultsKey::allowCommentsAndWhitespace:
    case UserDefaultsKey::dotMatchesLineSeparators:
    case UserDefaultsKey::unicodeWordBoundaries:
    case UserDefaultsKey::unixLineSeparators:
    case UserDefaultsKey::patternIsLiteral:
    case UserDefaultsKey::showRightPanel:
    case UserDefaultsKey::showLeftPanel:
        return ValueType::boolean;
    case UserDefaultsKey::pattern:
    case UserDefaultsKey::text:
        return ValueType::string;
    }
    return ValueType::any;
}

// The INI backend hands every scalar back as text, so "true" and 1 must both read as a boolean.
QVariant converted(const QVariant &value, ValueType type)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (type) {
    case ValueType::boolean: {
        if (value.typeId() == QMetaType::Bool)
            return value;
        if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray) {
            const QString text = value.toString().trimmed().toLower();
            if (text == u"true" || text == u"1")
                return true;
            if (text == u"false" || text == u"0")
                return false;
            return {};
        }
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        return ok ? QVariant(number != 0) : QVariant();
    }
    case ValueType::integer: {
        if (value.typeId() == QMetaType::Bool)
            return int(value.toBool());
        bool ok = false;
        const int number = value.toInt(&ok);
        return ok ? QVariant(number) : QVariant();
    }
    case ValueType::string:
        if (value.typeId() == QMetaType::QString)
            return value;
        return {};
    case ValueType::any:
        return value;
    }
    return {};
}

} // namespace

UserDefaults::UserDefaults(std::unique_ptr<QSettings> settings)
    : m_settings(std::move(settings))
{
}

UserDefaults::UserDefaults(const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

UserDefaults::~UserDefaults() = default;

UserDefaults &UserDefaults::standard()
{
    static UserDefaults *instance = new UserDefaults(std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvale"), QStringLiteral("Quorvale")));
    return *instance;
}

void UserDefaults::registerDefaults(const QVariantHash &defaults)
{
    const QMutexLocker locker(&m_mutex);
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it)
        m_registered.insert(it.key(), it.value());
}

void UserDefaults::registerStandardDefaults()
{
    registerDefaults({
        {keyString(UserDefaultsKey::appearanceMode), 2},
        {keyString(UserDefaultsKey::caseInsensitive), false},
        {keyString(UserDefaultsKey::multiline), false},
        // Registered so that a switch's first change on a fresh store is reported like the others'.
        {keyString(UserDefaultsKey::allowCommentsAndWhitespace), false},
        {keyString(UserDefaultsKey::dotMatchesLineSeparators), false},
        {keyString(UserDefaultsKey::unicodeWordBoundaries), false},
        {keyString(UserDefaultsKey::unixLineSeparators), false},
        {keyString(UserDefaultsKey::patternIsLiteral), false},
        {keyString(UserDefaultsKey::showRightPanel), false},
        {keyString(UserDefaultsKey::showLeftPanel), false},
        {keyString(UserDefaultsKey::referenceType), 0},
        // Seconds an evaluation may run before it is stopped; 0 for no limit.
        {keyString(UserDefaultsKey::timeBudget), 10},
        // Bytes; 0 for no limit.
        {keyString(UserDefaultsKey::backtrackStackLimit), defaultBacktrackStackLimit},
    });
    synchronize();
}

QVariant UserDefaults::effectiveValue(const QString &key) const
{
    const QMutexLocker locker(&m_mutex);
    const ValueType type = valueType(key);
    const QVariant stored = converted(m_settings->value(key), type);
    if (stored.isValid())
        return stored;
    return converted(m_registered.value(key), type);
}

QVariant UserDefaults::value(const QString &key) const
{
    return effectiveValue(key);
}

QVariant UserDefaults::value(UserDefaultsKey key) const
{
    return effectiveValue(keyString(key));
}

QVariant UserDefaults::storedValue(const QString &key) const
{
    const QMutexLocker locker(&m_mutex);
    return m_settings->value(key);
}

bool UserDefaults::boolValue(UserDefaultsKey key) const
{
    return value(key).toBool();
}

int UserDefaults::integerValue(UserDefaultsKey key) const
{
    return value(key).toInt();
}

QString UserDefaults::stringValue(UserDefaultsKey key) const
{
    return value(key).toString();
}

void UserDefaults::setValue(const QString &key, const QVariant &newValue)
{
    if (!newValue.isValid()) {
        removeValue(key);
        return;
    }
    QVariant oldValue;
    QVariant currentValue;
    {
        const QMutexLocker locker(&m_mutex);
        oldValue = effectiveValue(key);
        m_settings->setValue(key, newValue);
        currentValue = effectiveValue(key);
    }
    Q_EMIT valueChanged(key, oldValue, currentValue);
}

void UserDefaults::setValue(UserDefaultsKey key, const QVariant &newValue)
{
    setValue(keyString(key), newValue);
}

void UserDefaults::removeValue(const QString &key)
{
    QVariant oldValue;
    QVariant currentValue;
    {
        const QMutexLocker locker(&m_mutex);
        oldValue = effectiveValue(key);
        m_settings->remove(key);
        currentValue = effectiveValue(key);
    }
    Q_EMIT valueChanged(key, oldValue, currentValue);
}

void UserDefaults::removeValue(UserDefaultsKey key)
{
    removeValue(keyString(key));
}

void UserDefaults::clear()
{
    const QMutexLocker locker(&m_mutex);
    m_settings->clear();
    m_settings->sync();
    m_registered.clear();
}

bool UserDefaults::synchronize()
{
    const QMutexLocker locker(&m_mutex);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

int UserDefaults::backtrackStackLimit() const
{
    const QVariant bytes = value(UserDefaultsKey::backtrackStackLimit);
    return bytes.isValid() && bytes.toInt() >= 0 ? bytes.toInt() : defaultBacktrackStackLimit;
}

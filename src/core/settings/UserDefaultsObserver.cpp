#include "core/settings/UserDefaultsObserver.h"

#include "core/settings/UserDefaults.h"
#include "core/settings/UserDefaultsObserverDelegate.h"

UserDefaultsObserver::UserDefaultsObserver(UserDefaultsObserverDelegate *delegate, UserDefaults *defaults,
                                           QObject *parent)
    : QObject(parent)
    , m_delegate(delegate)
{
    UserDefaults *store = defaults ? defaults : &UserDefaults::standard();
    // Direct: the report must arrive synchronously on the thread that wrote the value.
    connect(store, &UserDefaults::valueChanged, this, &UserDefaultsObserver::handleChange, Qt::DirectConnection);
}

UserDefaultsObserver::~UserDefaultsObserver() = default;

void UserDefaultsObserver::handleChange(const QString &keyPath, const QVariant &oldValue, const QVariant &newValue)
{
    const std::optional<UserDefaultsKey> key = userDefaultsKey(keyPath);
    if (!key)
        return;
    if (!oldValue.isValid() || !newValue.isValid())
        return;
    if (oldValue == newValue)
        return;
    if (m_delegate)
        m_delegate->userDefaultsObserverDidChangeValue(this, newValue, *key);
}

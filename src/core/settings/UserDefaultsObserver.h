#pragma once

#include "core/settings/UserDefaultsKey.h"

#include <QObject>
#include <QVariant>

class UserDefaults;
class UserDefaultsObserverDelegate;

// Passes on real changes of the settings keys: writes that leave a key as it was, and changes of a key that had
// no value at all before, are not reported.
class UserDefaultsObserver final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UserDefaultsObserver)

public:
    // The delegate is not owned; it normally owns the observer.
    explicit UserDefaultsObserver(UserDefaultsObserverDelegate *delegate, UserDefaults *defaults = nullptr,
                                  QObject *parent = nullptr);
    ~UserDefaultsObserver() override;

    UserDefaultsObserverDelegate *delegate() const { return m_delegate; }

private:
    void handleChange(const QString &key, const QVariant &oldValue, const QVariant &newValue);

    UserDefaultsObserverDelegate *m_delegate;
};

#pragma once

#include "core/settings/UserDefaultsKey.h"

#include <QVariant>

class UserDefaultsObserver;

class UserDefaultsObserverDelegate
{
public:
    virtual ~UserDefaultsObserverDelegate() = default;
    virtual void userDefaultsObserverDidChangeValue(UserDefaultsObserver *observer, const QVariant &newValue,
                                                    UserDefaultsKey key)
        = 0;
};

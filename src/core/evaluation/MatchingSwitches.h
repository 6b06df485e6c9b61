#pragma once

#include "core/evaluation/RegularExpression.h"
#include "core/settings/UserDefaultsKey.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// The switches that change how a pattern matches: the setting each is kept under, the compile option it stands for,
// and the words and keys the Preferences, the "Matching" menu and the buttons above the pattern all use for it.
class MatchingSwitches final
{
    Q_DECLARE_TR_FUNCTIONS(MatchingSwitches)

public:
    struct Switch
    {
        UserDefaultsKey key;
        RegularExpressionOption option;
        // The Preferences' check box.
        QString title;
        // The menu item, with its mnemonic.
        QString menuText;
        // The button above the pattern: a symbol of a few characters.
        QString symbol;
        // What it does, for tooltips.
        QString description;
        QKeyCombination shortcut;
        // Object name of the menu's action; the button's is the key followed by "Toggle".
        const char *actionName;
    };

    MatchingSwitches() = delete;

    // In the order the interface lists them.
    static QList<Switch> all();
    // The options of the switches that are on.
    static RegularExpressionOptions options(const std::function<bool(UserDefaultsKey)> &isOn);
    // The switch kept under the key, if it is one.
    static std::optional<Switch> forKey(UserDefaultsKey key);
};

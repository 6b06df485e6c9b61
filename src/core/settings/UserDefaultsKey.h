#pragma once

#include <QString>

#include <array>
#include <optional>

// The order of the cases is the order in which observers register for them.
enum class UserDefaultsKey {
    appearanceMode,
    caseInsensitive,
    multiline,
    pattern,
    text,
    allowCommentsAndWhitespace,
    showRightPanel,
    showLeftPanel,
    referenceType,
    timeBudget,
    backtrackStackLimit,
    dotMatchesLineSeparators,
    unicodeWordBoundaries,
    unixLineSeparators,
    patternIsLiteral,
};

inline constexpr std::array<UserDefaultsKey, 15> allUserDefaultsKeys {
    UserDefaultsKey::appearanceMode,
    UserDefaultsKey::caseInsensitive,
    UserDefaultsKey::multiline,
    UserDefaultsKey::pattern,
    UserDefaultsKey::text,
    UserDefaultsKey::allowCommentsAndWhitespace,
    UserDefaultsKey::showRightPanel,
    UserDefaultsKey::showLeftPanel,
    UserDefaultsKey::referenceType,
    UserDefaultsKey::timeBudget,
    UserDefaultsKey::backtrackStackLimit,
    UserDefaultsKey::dotMatchesLineSeparators,
    UserDefaultsKey::unicodeWordBoundaries,
    UserDefaultsKey::unixLineSeparators,
    UserDefaultsKey::patternIsLiteral,
};

QString keyString(UserDefaultsKey key);
std::optional<UserDefaultsKey> userDefaultsKey(const QString &keyString);

#include "core/settings/UserDefaultsKey.h"

QString keyString(UserDefaultsKey key)
{
    switch (key) {
    case UserDefaultsKey::appearanceMode:
        return QStringLiteral("appearanceMode");
    case UserDefaultsKey::caseInsensitive:
        return QStringLiteral("caseInsensitive");
    case UserDefaultsKey::multiline:
        return QStringLiteral("multiline");
    case UserDefaultsKey::pattern:
        return QStringLiteral("pattern");
    case UserDefaultsKey::text:
        return QStringLiteral("text");
    case UserDefaultsKey::allowCommentsAndWhitespace:
        return QStringLiteral("allowCommentsAndWhitespace");
    case UserDefaultsKey::showRightPanel:
        return QStringLiteral("showRightPanel");
    case UserDefaultsKey::showLeftPanel:
        return QStringLiteral("showLeftPanel");
    case UserDefaultsKey::referenceType:
        return QStringLiteral("referenceType");
    case UserDefaultsKey::timeBudget:
        return QStringLiteral("timeBudget");
    case UserDefaultsKey::backtrackStackLimit:
        return QStringLiteral("backtrackStackLimit");
    case UserDefaultsKey::dotMatchesLineSeparators:
        return QStringLiteral("dotMatchesLineSeparators");
    case UserDefaultsKey::unicodeWordBoundaries:
        return QStringLiteral("unicodeWordBoundaries");
    case UserDefaultsKey::unixLineSeparators:
        return QStringLiteral("unixLineSeparators");
    case UserDefaultsKey::patternIsLiteral:
        return QStringLiteral("patternIsLiteral");
    }
    return {};
}

std::optional<UserDefaultsKey> userDefaultsKey(const QString &string)
{
    for (UserDefaultsKey key : allUserDefaultsKeys) {
        if (keyString(key) == string)
            return key;
    }
    return std::nullopt;
}

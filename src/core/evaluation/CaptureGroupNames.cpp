#include "core/evaluation/CaptureGroupNames.h"

#include "core/evaluation/RegularExpression.h"
#include "core/pattern/PatternSyntaxReader.h"
#include "core/platform/IcuString.h"

#include <memory>

QStringList CaptureGroupNames::of(const icu::RegexPattern &pattern)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(status));
    if (U_FAILURE(status))
        return {};
    const PatternSyntaxReader reading(RegularExpression::patternText(pattern),
                                      (pattern.flags() & UREGEX_COMMENTS) != 0);
    QStringList names(1);
    for (const PatternSyntaxReader::Group &group : reading.groups()) {
        if (group.capturing)
            names.append(group.name);
    }
    // The reader follows the engine's syntax; should the two ever disagree, no name is better than a wrong one.
    for (qsizetype group = 1; group < names.size(); ++group) {
        const QString &name = names.at(group);
        if (name.isEmpty())
            continue;
        const std::optional<icu::UnicodeString> icuName = IcuString::alias(name);
        status = U_ZERO_ERROR;
        const int32_t number = icuName ? pattern.groupNumberFromName(*icuName, status) : -1;
        if (U_FAILURE(status) || number != group)
            names[group].clear();
    }
    names.resize(qsizetype(matcher->groupCount()) + 1);
    return names;
}

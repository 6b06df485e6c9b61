#pragma once

#include <QString>

#include <optional>

// Which cheat sheet the reference panel shows; the raw value is what "referenceType" stores.
enum class ReferenceType : int {
    basic = 0,
    advanced = 1,
};

constexpr std::optional<ReferenceType> referenceTypeFromRawValue(int rawValue)
{
    switch (rawValue) {
    case 0:
        return ReferenceType::basic;
    case 1:
        return ReferenceType::advanced;
    default:
        return std::nullopt;
    }
}

// The page template's file name among the application's resources.
inline QString pageResourceName(ReferenceType type)
{
    return type == ReferenceType::advanced ? QStringLiteral("reference-advanced.html")
                                           : QStringLiteral("reference-basic.html");
}

#include "core/evaluation/Substitution.h"

#include "core/evaluation/EngineWatch.h"
#include "core/evaluation/RegularExpression.h"
#include "core/platform/Expected.h"
#include "core/platform/IcuString.h"

#include <unicode/uchar.h>

#include <memory>

namespace {

bool isAsciiLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

char32_t codePointAt(QStringView text, qsizetype index)
{
    const QChar c = text.at(index);
    if (c.isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(c, text.at(index + 1));
    return c.unicode();
}

Substitution::Error makeError(Substitution::Error::Case errorCase, qsizetype position = -1)
{
    Substitution::Error error;
    error.errorCase = errorCase;
    error.position = position;
    return error;
}

Substitution::Outcome cancelled()
{
    Substitution::Outcome outcome;
    outcome.status = Substitution::Outcome::Status::cancelled;
    return outcome;
}

// The template checked against the pattern and made ready for the engine. ICU 72 rejects a "${name}" whose name
// holds a "0" although such a name is valid in a pattern; those references are handed on by number, with a
// following digit escaped so that it stays a literal.
Expected<QString, Substitution::Error> prepare(const icu::RegexPattern &pattern, int groupCount,
                                               QStringView replacement)
{
    using Error = Substitution::Error;
    QString prepared;
    prepared.reserve(replacement.size());
    const qsizetype length = replacement.size();
    qsizetype i = 0;
    while (i < length) {
        const QChar c = replacement.at(i);
        if (c == u'\\') {
            if (i + 1 >= length)
                return makeError(Error::Case::trailingBackslash, i);
            prepared.append(replacement.sliced(i, 2));
            i += 2;
            continue;
        }
        if (c != u'$') {
            prepared.append(c);
            ++i;
            continue;
        }
        if (i + 1 < length && replacement.at(i + 1) == u'{') {
            qsizetype end = i + 2;
            while (end < length && isAsciiLetterOrDigit(replacement.at(end)))
                ++end;
            if (end == i + 2 || end >= length || replacement.at(end) != u'}')
                return makeError(Error::Case::malformedGroupName, i);
            const QStringView name = replacement.sliced(i + 2, end - i - 2);
            const std::optional<icu::UnicodeString> icuName = IcuString::alias(name);
            UErrorCode status = U_ZERO_ERROR;
            const int32_t group = icuName ? pattern.groupNumberFromName(*icuName, status) : -1;
            if (U_FAILURE(status) || group <= 0) {
                Error error = makeError(Error::Case::unknownGroupName, i);
                error.name = name.toString();
                return error;
            }
            if (name.contains(u'0')) {
                prepared.append(u'$' + QString::number(group));
                if (end + 1 < length && u_isdigit(UChar32(codePointAt(replacement, end + 1))))
                    prepared.append(u'\\');
            } else {
                prepared.append(replacement.sliced(i, end + 1 - i));
            }
            i = end + 1;
            continue;
        }
        const UChar32 next = i + 1 < length ? UChar32(codePointAt(replacement, i + 1)) : U_SENTINEL;
        if (next == U_SENTINEL || !u_isdigit(next))
            return makeError(Error::Case::dollarWithoutGroup, i);
        // The engine reads further digits only while the number still names a group, so only the first can fail.
        const int32_t first = u_charDigitValue(next);
        if (first > groupCount) {
            Error error = makeError(Error::Case::groupNumberTooLarge, i);
            error.group = first;
            error.groupCount = groupCount;
            return error;
        }
        prepared.append(c);
        ++i;
    }
    return prepared;
}

Substitution::Outcome failed(const Substitution::Error &error)
{
    Substitution::Outcome outcome;
    outcome.status = Substitution::Outcome::Status::failed;
    outcome.error = error;
    return outcome;
}

Substitution::Outcome matchingFailed(UErrorCode status)
{
    Substitution::Error error = makeError(Substitution::Error::Case::matchingFailed);
    error.engineStatus = status;
    return failed(error);
}

} // namespace

QString Substitution::Error::message() const
{
    switch (errorCase) {
    case Case::groupNumberTooLarge:
        if (groupCount == 0)
            return tr("The replacement refers to group %1, but the pattern has no groups").arg(group);
        return tr("The replacement refers to group %1, but the pattern has only %Ln group(s)", nullptr, groupCount)
            .arg(group);
    case Case::unknownGroupName:
        return tr("The replacement refers to the group name \"%1\", but the pattern has no group of that name")
            .arg(name);
    case Case::malformedGroupName:
        return tr("\"${\" in the replacement must be followed by a group name of letters and digits and \"}\"");
    case Case::dollarWithoutGroup:
        return tr("\"$\" in the replacement must be followed by a group number or {name}; write \\$ for a dollar "
                  "sign");
    case Case::trailingBackslash:
        return tr("The replacement ends with a lone backslash; write \\\\ for a backslash");
    case Case::textTooLong:
        return tr("The text is too long to replace in");
    case Case::resultTooLong:
        return tr("The result would be longer than %Ln character(s)", nullptr, int(limit));
    case Case::matchingFailed:
        if (engineStatus == U_REGEX_STACK_OVERFLOW) {
            //: %1 says why, %2 is the engine's error code
            return tr("The preview failed: %1 (%2). The limit can be raised in Preferences.")
                .arg(RegularExpression::matchingFailureReason(engineStatus),
                     QString::fromLatin1(u_errorName(engineStatus)));
        }
        //: %1 says why, %2 is the engine's error code
        return tr("The preview failed: %1 (%2).")
            .arg(RegularExpression::matchingFailureReason(engineStatus),
                 QString::fromLatin1(u_errorName(engineStatus)));
    }
    return {};
}

std::optional<Substitution::Error> Substitution::checkTemplate(const icu::RegexPattern &pattern,
                                                               QStringView replacementTemplate)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(status));
    if (U_FAILURE(status)) {
        Error error = makeError(Error::Case::matchingFailed);
        error.engineStatus = status;
        return error;
    }
    const Expected<QString, Error> prepared = prepare(pattern, matcher->groupCount(), replacementTemplate);
    if (!prepared)
        return prepared.error();
    return std::nullopt;
}

Substitution::Outcome Substitution::run(const icu::RegexPattern &pattern, const QString &replacementTemplate,
                                        const QString &text, const std::atomic<bool> &shouldStop,
                                        qsizetype maximumResultLength, int32_t stackLimit)
{
    // An alias of the text, not a copy: text outlives the matcher.
    const std::optional<icu::UnicodeString> input = IcuString::alias(text);
    if (!input)
        return failed(makeError(Error::Case::textTooLong));
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(*input, status));
    if (U_FAILURE(status))
        return matchingFailed(status);

    const Expected<QString, Error> prepared = prepare(pattern, matcher->groupCount(), replacementTemplate);
    if (!prepared)
        return failed(prepared.error());
    const std::optional<icu::UnicodeString> replacement = IcuString::alias(prepared.value());
    if (!replacement)
        return matchingFailed(U_INDEX_OUTOFBOUNDS_ERROR);

    matcher->setStackLimit(stackLimit, status);
    const EngineWatch watch(*matcher, shouldStop, text.size(), status);

    Outcome outcome;
    outcome.text.reserve(text.size());
    // Each step's output goes through a small buffer straight into the result, never a second copy of it all.
    icu::UnicodeString piece;
    while (U_SUCCESS(status)) {
        if (shouldStop.load(std::memory_order_relaxed))
            return cancelled();
        if (!matcher->find(status))
            break;
        piece.truncate(0);
        matcher->appendReplacement(piece, *replacement, status);
        if (U_FAILURE(status))
            break;
        if (outcome.text.size() + piece.length() > maximumResultLength) {
            Error error = makeError(Error::Case::resultTooLong);
            error.limit = maximumResultLength;
            return failed(error);
        }
        outcome.text.append(IcuString::view(piece));
        ++outcome.replacements;
    }
    if (status == U_REGEX_STOPPED_BY_CALLER)
        return cancelled();
    if (U_FAILURE(status))
        return matchingFailed(status);

    piece.truncate(0);
    matcher->appendTail(piece);
    if (outcome.text.size() + piece.length() > maximumResultLength) {
        Error error = makeError(Error::Case::resultTooLong);
        error.limit = maximumResultLength;
        return failed(error);
    }
    outcome.text.append(IcuString::view(piece));
    return outcome;
}

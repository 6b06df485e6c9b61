#include "core/platform/UserPerceivedCharacters.h"

#include "core/platform/IcuString.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>

#include <memory>

QList<qsizetype> userPerceivedCharacterBoundaries(const QString &text)
{
    QList<qsizetype> boundaries {0};
    if (text.isEmpty())
        return boundaries;
    const std::optional<icu::UnicodeString> alias = IcuString::alias(text);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (!alias || U_FAILURE(status) || !iterator) {
        // Without ICU's break data, or beyond ICU's length, every UTF-16 unit stands alone; better than failing the
        // caller.
        for (qsizetype i = 1; i <= text.size(); ++i)
            boundaries.append(i);
        return boundaries;
    }
    iterator->setText(*alias);
    iterator->first();
    for (int32_t position = iterator->next(); position != icu::BreakIterator::DONE; position = iterator->next())
        boundaries.append(position);
    return boundaries;
}

qsizetype userPerceivedCharacterCount(const QString &text)
{
    return userPerceivedCharacterBoundaries(text).size() - 1;
}

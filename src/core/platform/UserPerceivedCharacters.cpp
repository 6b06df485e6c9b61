#include "core/platform/UserPerceivedCharacters.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>

QList<qsizetype> userPerceivedCharacterBoundaries(const QString &text)
{
    QList<qsizetype> boundaries {0};
    if (text.isEmpty())
        return boundaries;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !iterator) {
        // Without ICU's break data every UTF-16 unit stands alone; better than failing the caller.
        for (qsizetype i = 1; i <= text.size(); ++i)
            boundaries.append(i);
        return boundaries;
    }
    const icu::UnicodeString alias(false, reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
    iterator->setText(alias);
    iterator->first();
    for (int32_t position = iterator->next(); position != icu::BreakIterator::DONE; position = iterator->next())
        boundaries.append(position);
    return boundaries;
}

qsizetype userPerceivedCharacterCount(const QString &text)
{
    return userPerceivedCharacterBoundaries(text).size() - 1;
}

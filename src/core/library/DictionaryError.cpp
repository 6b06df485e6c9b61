#include "core/library/DictionaryError.h"

QString DictionaryError::description() const
{
    switch (errorCase) {
    case Case::valueWithKeyAndTypeNotFound:
        return u"no string value under the key \"" % key % u'"';
    }
    return {};
}

Expected<QString, DictionaryError> requiredValue(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return DictionaryError::valueWithKeyAndTypeNotFound(key);
    return value.toString();
}

#include "core/library/DefaultsExpressionImporter.h"

#include "core/library/JsonStore.h"
#include "core/library/LibraryLog.h"
#include "core/settings/UserDefaults.h"

namespace {

std::optional<QString> oldString(UserDefaultsKey key)
{
    const QVariant value = UserDefaults::standard().storedValue(keyString(key));
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

} // namespace

DefaultsExpressionImporter::DefaultsExpressionImporter(const QString &pattern, const QString &text,
                                                       std::weak_ptr<JsonStore> store)
    : m_pattern(pattern)
    , m_text(text)
    , m_store(std::move(store))
{
}

std::optional<DefaultsExpressionImporter> DefaultsExpressionImporter::create(std::weak_ptr<JsonStore> store)
{
    const std::optional<QString> pattern = oldString(UserDefaultsKey::pattern);
    if (!pattern)
        return std::nullopt;
    const std::optional<QString> text = oldString(UserDefaultsKey::text);
    if (!text)
        return std::nullopt;
    return DefaultsExpressionImporter(*pattern, *text, std::move(store));
}

bool DefaultsExpressionImporter::importExpression()
{
    const std::shared_ptr<JsonStore> store = m_store.lock();
    if (!store)
        return false;
    //: Name of the first expression that was imported from Quorvale < 1.2
    auto expression = std::make_shared<Expression>(tr("First Expression"), m_pattern, m_text);
    store->items().append(std::move(expression));
    if (store->write()) {
        qCWarning(lcLibrary) << "The expression of the old settings is kept there until the library can be saved";
        return false;
    }
    clearOldDefaults();
    return true;
}

void DefaultsExpressionImporter::clearOldDefaults()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.removeValue(UserDefaultsKey::pattern);
    defaults.removeValue(UserDefaultsKey::text);
    defaults.synchronize();
}

#include "core/platform/SystemAppearanceMonitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPalette>

Q_LOGGING_CATEGORY(lcAppearance, "quorvale.appearance")

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString portalInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

// The portal nests the value in one or two variants depending on its version.
QVariant unwrapped(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.typeId() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

} // namespace

SystemAppearanceMonitor &SystemAppearanceMonitor::instance()
{
    static SystemAppearanceMonitor *monitor = new SystemAppearanceMonitor;
    return *monitor;
}

SystemAppearanceMonitor::SystemAppearanceMonitor()
{
    // Our own dark mode replaces the application palette later, so read the platform's lightness now.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        const QColor window = QGuiApplication::palette().color(QPalette::Window);
        m_paletteFallback = window.lightness() < 128 ? SystemAppearance::dark : SystemAppearance::light;
    }
    readPortal();
}

void SystemAppearanceMonitor::readPortal()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(portalService, portalPath, portalInterface, QStringLiteral("SettingChanged"), this,
                SLOT(portalSettingChanged(QString, QString, QDBusVariant)));
    QDBusMessage request
        = QDBusMessage::createMethodCall(portalService, portalPath, portalInterface, QStringLiteral("Read"));
    request << appearanceGroup << colorSchemeKey;
    // Short and synchronous: the first window must be built in the right colours, but a missing portal must not
    // delay the start noticeably.
    const QDBusMessage reply = bus.call(request, QDBus::Block, 300);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qCInfo(lcAppearance) << "no desktop portal colour scheme; using the palette's lightness";
        return;
    }
    setPortalScheme(unwrapped(reply.arguments().constFirst()).toUInt());
}

void SystemAppearanceMonitor::setPortalScheme(uint scheme)
{
    // 1 prefers dark, 2 prefers light, 0 states no preference.
    switch (scheme) {
    case 1:
        m_portal = SystemAppearance::dark;
        break;
    case 2:
        m_portal = SystemAppearance::light;
        break;
    default:
        m_portal.reset();
        break;
    }
}

void SystemAppearanceMonitor::portalSettingChanged(const QString &group, const QString &key, const QDBusVariant &value)
{
    if (group != appearanceGroup || key != colorSchemeKey)
        return;
    setPortalScheme(unwrapped(value.variant()).toUInt());
    Q_EMIT systemAppearanceChanged();
}

SystemAppearance SystemAppearanceMonitor::systemAppearance() const
{
    if (m_override)
        return *m_override;
    if (m_portal)
        return *m_portal;
    return m_paletteFallback.value_or(SystemAppearance::light);
}

void SystemAppearanceMonitor::setOverride(std::optional<SystemAppearance> appearance)
{
    m_override = appearance;
    Q_EMIT systemAppearanceChanged();
}

#pragma once

#include "core/platform/SystemAppearance.h"

#include <QDBusVariant>
#include <QObject>

#include <optional>

// The desktop's light or dark preference: the XDG desktop portal's "color-scheme" when a portal answers, else the
// lightness of the application palette the platform gave us at start.
class SystemAppearanceMonitor final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SystemAppearanceMonitor)

public:
    static SystemAppearanceMonitor &instance();

    SystemAppearance systemAppearance() const;

    // Tests decide the style instead of the machine's desktop; nullopt gives the real source back.
    void setOverride(std::optional<SystemAppearance> appearance);

Q_SIGNALS:
    void systemAppearanceChanged();

private:
    SystemAppearanceMonitor();
    void readPortal();
    void setPortalScheme(uint scheme);

private Q_SLOTS:
    void portalSettingChanged(const QString &group, const QString &key, const QDBusVariant &value);

private:
    std::optional<SystemAppearance> m_override;
    std::optional<SystemAppearance> m_portal;
    std::optional<SystemAppearance> m_paletteFallback;
};

#pragma once

#include "core/settings/UserDefaultsKey.h"

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QVariant>

#include <memory>

class QSettings;

// Bytes of backtracking memory one match attempt may use, the engine's own default.
inline constexpr int defaultBacktrackStackLimit = 8'000'000;

// The per-user settings store: stored values over QSettings, with registered defaults held in memory as the
// fallback. Every write and removal is reported synchronously, on the writing thread, with the effective value
// before and after (an invalid QVariant where there was none).
class UserDefaults final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UserDefaults)

public:
    // A store in an INI file of its own; the application uses standard().
    explicit UserDefaults(const QString &filePath, QObject *parent = nullptr);
    ~UserDefaults() override;

    static UserDefaults &standard();

    // Never writes to disk and never replaces a stored value.
    void registerDefaults(const QVariantHash &defaults);
    void registerStandardDefaults();

    // Stored value, else registered default, else invalid. For the UserDefaultsKey keys the value is converted to
    // the key's type; a stored value that does not convert falls back to the registered default.
    QVariant value(const QString &key) const;
    QVariant value(UserDefaultsKey key) const;
    // What is stored under the key, exactly as the backend gives it back; invalid when nothing is.
    QVariant storedValue(const QString &key) const;

    bool boolValue(UserDefaultsKey key) const;
    int integerValue(UserDefaultsKey key) const;
    QString stringValue(UserDefaultsKey key) const;

    void setValue(const QString &key, const QVariant &value);
    void setValue(UserDefaultsKey key, const QVariant &value);
    void removeValue(const QString &key);
    void removeValue(UserDefaultsKey key);
    // Drops every stored value and every registered default, without notifications.
    void clear();
    bool synchronize();

    // Bytes, 0 for no limit; the default also before registration and for a negative value stored by hand.
    int backtrackStackLimit() const;

Q_SIGNALS:
    void valueChanged(const QString &key, const QVariant &oldValue, const QVariant &newValue);

private:
    explicit UserDefaults(std::unique_ptr<QSettings> settings);
    QVariant effectiveValue(const QString &key) const;

    std::unique_ptr<QSettings> m_settings;
    QVariantHash m_registered;
    mutable QRecursiveMutex m_mutex;
};

#pragma once

#include "core/settings/AppearanceControllerDelegate.h"
#include "core/settings/UserDefaultsObserverDelegate.h"

#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

class AppearanceController;
class QCheckBox;
class QComboBox;
class QSpinBox;
class UserDefaultsObserver;

// The preferences' controls. Each writes its setting at once; each follows the setting when it changes elsewhere.
class PreferencesViewController final : public QWidget,
                                        public AppearanceControllerDelegate,
                                        public UserDefaultsObserverDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreferencesViewController)

public:
    explicit PreferencesViewController(QWidget *parent = nullptr);
    ~PreferencesViewController() override;

    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;
    void userDefaultsObserverDidChangeValue(UserDefaultsObserver *observer, const QVariant &newValue,
                                            UserDefaultsKey key) override;

private:
    void readSettings();
    void applyBackground(const Appearance &appearance);

    const std::unique_ptr<AppearanceController> m_appearanceController;
    std::unique_ptr<UserDefaultsObserver> m_userDefaultsObserver;
    QComboBox *m_appearanceMode;
    // The matching switches, each with its setting.
    std::vector<std::pair<QCheckBox *, UserDefaultsKey>> m_switches;
    QComboBox *m_referenceType;
    QSpinBox *m_timeBudget;
    QSpinBox *m_backtrackStackLimit;
};

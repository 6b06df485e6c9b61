#include "gui/settings/PreferencesViewController.h"

#include "core/evaluation/MatchingSwitches.h"
#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "core/settings/UserDefaults.h"
#include "core/settings/UserDefaultsObserver.h"
#include "gui/widgets/ApplicationPalette.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

// Index of each choice in the appearance menu, and the "appearanceMode" value it stands for.
constexpr int appearanceModes[] = {2, 0, 1};

int appearanceIndex(int mode)
{
    for (int i = 0; i < int(std::size(appearanceModes)); ++i) {
        if (appearanceModes[i] == mode)
            return i;
    }
    return 0;
}

// The limit is stored in bytes and shown in MB, the unit of the engine's default of 8 MB.
constexpr int bytesPerMegabyte = 1'000'000;

} // namespace

PreferencesViewController::PreferencesViewController(QWidget *parent)
    : QWidget(parent)
    , m_appearanceController(std::make_unique<AppearanceController>(this))
    , m_userDefaultsObserver(std::make_unique<UserDefaultsObserver>(this))
    , m_appearanceMode(new QComboBox(this))
    , m_referenceType(new QComboBox(this))
    , m_timeBudget(new QSpinBox(this))
    , m_backtrackStackLimit(new QSpinBox(this))
{
    setObjectName(QStringLiteral("preferencesView"));
    setAutoFillBackground(true);
    m_appearanceMode->setObjectName(QStringLiteral("appearanceModeChoice"));
    //: Appearance choice that follows the desktop's light or dark style
    m_appearanceMode->addItems({tr("System"), tr("Light"), tr("Dark")});
    m_appearanceMode->setToolTip(tr("Light or dark colours, or as the desktop has them"));
    for (const MatchingSwitches::Switch &matchingSwitch : MatchingSwitches::all()) {
        auto *box = new QCheckBox(matchingSwitch.title, this);
        box->setObjectName(keyString(matchingSwitch.key) + u"Switch");
        box->setToolTip(matchingSwitch.description);
        m_switches.emplace_back(box, matchingSwitch.key);
    }
    m_referenceType->setObjectName(QStringLiteral("referenceTypeChoice"));
    //: Kinds of regular-expression cheat sheet
    m_referenceType->addItems({tr("Basic"), tr("Advanced")});
    m_referenceType->setToolTip(tr("How much the reference sheet beside the editor shows"));
    m_timeBudget->setObjectName(QStringLiteral("timeBudgetField"));
    m_timeBudget->setRange(0, 3600);
    //: Unit after the time budget's number of seconds
    m_timeBudget->setSuffix(tr(" s"));
    //: Time budget of 0 seconds
    m_timeBudget->setSpecialValueText(tr("No limit"));
    m_timeBudget->setToolTip(tr("An evaluation that runs longer is stopped"));
    // Typing "15" must not evaluate with a budget of 1 s on the way.
    m_timeBudget->setKeyboardTracking(false);
    m_backtrackStackLimit->setObjectName(QStringLiteral("backtrackStackLimitField"));
    // The engine takes the limit as a 32-bit number of bytes.
    m_backtrackStackLimit->setRange(0, 2000);
    //: Unit after the backtrack stack limit's number of megabytes
    m_backtrackStackLimit->setSuffix(tr(" MB"));
    //: Backtrack stack limit of 0 MB
    m_backtrackStackLimit->setSpecialValueText(tr("No limit"));
    m_backtrackStackLimit->setToolTip(
        tr("Memory one match attempt may use for backtracking; a pattern that needs more fails to match"));
    m_backtrackStackLimit->setKeyboardTracking(false);

    auto *layout = new QFormLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setVerticalSpacing(10);
    layout->addRow(tr("Appearance:"), m_appearanceMode);
    for (const auto &[box, key] : m_switches)
        layout->addRow(box == m_switches.front().first ? tr("Matching:") : QString(), box);
    layout->addRow(tr("Reference:"), m_referenceType);
    layout->addRow(tr("Time budget:"), m_timeBudget);
    layout->addRow(tr("Backtrack stack limit:"), m_backtrackStackLimit);

    readSettings();
    UserDefaults &defaults = UserDefaults::standard();
    connect(m_appearanceMode, &QComboBox::activated, this, [&defaults](int index) {
        defaults.setValue(UserDefaultsKey::appearanceMode, appearanceModes[qBound(0, index, 2)]);
    });
    const auto bindSwitch = [&defaults](QCheckBox *box, UserDefaultsKey key) {
        connect(box, &QCheckBox::toggled, box, [&defaults, key](bool on) { defaults.setValue(key, on); });
    };
    for (const auto &[box, key] : m_switches)
        bindSwitch(box, key);
    connect(m_referenceType, &QComboBox::activated, this,
            [&defaults](int index) { defaults.setValue(UserDefaultsKey::referenceType, index); });
    connect(m_timeBudget, &QSpinBox::valueChanged, this,
            [&defaults](int seconds) { defaults.setValue(UserDefaultsKey::timeBudget, seconds); });
    connect(m_backtrackStackLimit, &QSpinBox::valueChanged, this, [&defaults](int megabytes) {
        defaults.setValue(UserDefaultsKey::backtrackStackLimit, megabytes * bytesPerMegabyte);
    });
    applyBackground(*m_appearanceController->appearance());
}

PreferencesViewController::~PreferencesViewController() = default;

void PreferencesViewController::readSettings()
{
    const UserDefaults &defaults = UserDefaults::standard();
    const QSignalBlocker blockers[] = {QSignalBlocker(m_appearanceMode), QSignalBlocker(m_referenceType),
                                       QSignalBlocker(m_timeBudget), QSignalBlocker(m_backtrackStackLimit)};
    m_appearanceMode->setCurrentIndex(appearanceIndex(defaults.integerValue(UserDefaultsKey::appearanceMode)));
    for (const auto &[box, key] : m_switches) {
        const QSignalBlocker blocker(box);
        box->setChecked(defaults.boolValue(key));
    }
    m_referenceType->setCurrentIndex(defaults.integerValue(UserDefaultsKey::referenceType) == 1 ? 1 : 0);
    m_timeBudget->setValue(defaults.integerValue(UserDefaultsKey::timeBudget));
    const int bytes = defaults.backtrackStackLimit();
    // A limit set to some bytes elsewhere shows as at least 1 MB, not as no limit; rewritten only when changed here.
    const qint64 megabytes = (qint64(bytes) + bytesPerMegabyte / 2) / bytesPerMegabyte;
    m_backtrackStackLimit->setValue(bytes > 0 ? int(qMax<qint64>(1, megabytes)) : 0);
}

void PreferencesViewController::applyBackground(const Appearance &appearance)
{
    setPalette(ApplicationPalette::palette(appearance));
}

void PreferencesViewController::appearanceDidChange(AppearanceController *, const Appearance &appearance)
{
    applyBackground(appearance);
}

void PreferencesViewController::userDefaultsObserverDidChangeValue(UserDefaultsObserver *, const QVariant &,
                                                                   UserDefaultsKey)
{
    readSettings();
}

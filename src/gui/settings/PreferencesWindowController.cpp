#include "gui/settings/PreferencesWindowController.h"

#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "gui/settings/PreferencesViewController.h"
#include "gui/widgets/ApplicationPalette.h"

#include <QKeySequence>
#include <QShortcut>
#include <QVBoxLayout>

PreferencesWindowController::PreferencesWindowController(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_appearanceController(std::make_unique<AppearanceController>(this))
    , m_viewController(new PreferencesViewController(this))
{
    setObjectName(QStringLiteral("preferencesWindow"));
    //: Title of the preferences window
    setWindowTitle(tr("Preferences"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_viewController);
    // As high as its rows: a fixed height would squeeze them as switches are added.
    resize(qMax(440, sizeHint().width()), sizeHint().height());
    new QShortcut(QKeySequence::Close, this, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    setPalette(ApplicationPalette::palette(*m_appearanceController->appearance()));
}

PreferencesWindowController::~PreferencesWindowController() = default;

void PreferencesWindowController::appearanceDidChange(AppearanceController *, const Appearance &appearance)
{
    setPalette(ApplicationPalette::palette(appearance));
}

#include "gui/editor/MatchingSwitchBar.h"

#include "core/evaluation/MatchingSwitches.h"
#include "core/settings/UserDefaults.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QToolButton>

MatchingSwitchBar::MatchingSwitchBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("matchingSwitchBar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    UserDefaults &defaults = UserDefaults::standard();
    for (const MatchingSwitches::Switch &matchingSwitch : MatchingSwitches::all()) {
        auto *button = new QToolButton(this);
        const QString key = keyString(matchingSwitch.key);
        button->setObjectName(key + u"Toggle");
        button->setText(matchingSwitch.symbol);
        //: Tooltip of a matching switch's button: its name, what it does, its shortcut
        button->setToolTip(tr("%1: %2 (%3)")
                               .arg(matchingSwitch.title, matchingSwitch.description,
                                    QKeySequence(matchingSwitch.shortcut).toString(QKeySequence::NativeText)));
        button->setAccessibleName(matchingSwitch.title);
        button->setCheckable(true);
        button->setAutoRaise(true);
        // A click must leave the caret where it was typing.
        button->setFocusPolicy(Qt::NoFocus);
        button->setChecked(defaults.boolValue(matchingSwitch.key));
        connect(button, &QToolButton::clicked, button,
                [&defaults, settingKey = matchingSwitch.key](bool on) { defaults.setValue(settingKey, on); });
        connect(&defaults, &UserDefaults::valueChanged, button, [button, key](const QString &changed) {
            if (changed == key)
                button->setChecked(UserDefaults::standard().value(changed).toBool());
        });
        layout->addWidget(button);
    }
}

MatchingSwitchBar::~MatchingSwitchBar() = default;

QList<QToolButton *> MatchingSwitchBar::buttons() const
{
    return findChildren<QToolButton *>(Qt::FindDirectChildrenOnly);
}

#pragma once

#include <QWidget>

class QToolButton;

// The row of compact buttons above the pattern, one per matching switch. Each shows its setting and writes it when
// clicked, so the buttons, the "Matching" menu and the Preferences always agree.
class MatchingSwitchBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MatchingSwitchBar)

public:
    explicit MatchingSwitchBar(QWidget *parent = nullptr);
    ~MatchingSwitchBar() override;

    QList<QToolButton *> buttons() const;
};

#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a logout, kill, Ctrl+C, a closed terminal) into a Qt signal on the thread that
// made this, so that the application ends through its normal quit and saves on the way. Their default action would
// end the process where it stands. The default actions return with its destruction; while one exists, another made
// meanwhile hears nothing.
class TerminationSignalNotifier final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TerminationSignalNotifier)

public:
    explicit TerminationSignalNotifier(QObject *parent = nullptr);
    ~TerminationSignalNotifier() override;

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readSignals();

    QSocketNotifier *m_notifier = nullptr;
};

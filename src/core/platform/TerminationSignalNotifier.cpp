#include "core/platform/TerminationSignalNotifier.h"

#include <QSocketNotifier>
#include <QtGlobal>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array handledSignals {SIGTERM, SIGINT, SIGHUP};
// The handler may only write to a file descriptor; the event loop reads the other end.
int signalPipe[2] = {-1, -1};

void writeSignalToPipe(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Non-blocking: a pipe already full of unread signals loses nothing that matters.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

void setHandler(int signalNumber, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signalNumber, &action, nullptr);
}

} // namespace

TerminationSignalNotifier::TerminationSignalNotifier(QObject *parent)
    : QObject(parent)
{
    if (signalPipe[0] >= 0)
        return;
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("Termination signals end Quorvale at once: no pipe for them (%s)", qPrintable(qt_error_string()));
        signalPipe[0] = signalPipe[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignalNotifier::readSignals);
    for (const int signalNumber : handledSignals)
        setHandler(signalNumber, writeSignalToPipe);
}

TerminationSignalNotifier::~TerminationSignalNotifier()
{
    if (!m_notifier)
        return;
    for (const int signalNumber : handledSignals)
        setHandler(signalNumber, SIG_DFL);
    delete m_notifier;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignalNotifier::readSignals()
{
    unsigned char byte = 0;
    while (::read(signalPipe[0], &byte, 1) == 1)
        Q_EMIT terminationRequested(byte);
}

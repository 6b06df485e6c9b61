#pragma once

// The interface thread under measurement: timing of the events it handles, the pauses of its event loop, and waiting
// in that loop without spinning.

#include "BenchSupport.h"
#include "core/platform/MemoryAllocator.h"
#include "core/settings/UserDefaults.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

// Before the application object: the allocator as the app sets it, settings and data in a private home, the
// offscreen platform unless another is asked for, and each figure printed as soon as it is known, also into a pipe.
inline bool prepareEnvironment(const QTemporaryDir &home)
{
    keepLargeAllocationsInProcess();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (!home.isValid())
        return false;
    qputenv("XDG_CONFIG_HOME", home.filePath(u"config"_s).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(u"data"_s).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}

inline void resetStandardDefaults()
{
    UserDefaults::standard().clear();
    UserDefaults::standard().registerStandardDefaults();
}

// A field of the kernel's view of this process, e.g. the resident set "VmRSS:" or its peak "VmHWM:", in bytes.
inline qint64 statusBytes(const QByteArray &field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').constFirst().toLongLong() * 1024;
    }
    return -1;
}

// The peak resident size from here on; the kernel starts it again at the current size.
inline void resetPeakMemory()
{
    QFile clearRefs(u"/proc/self/clear_refs"_s);
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

struct EventRecords
{
    double longestEvent = 0;
    QString longestEventName;
    // Handling of the queued calls the pool posts to the application: result and cancel deliveries, completions.
    std::vector<double> queuedCalls;
};

// Times every event the interface thread handles from the event loop, to name what keeps it busy.
class BenchApplication final : public QApplication
{
public:
    using QApplication::QApplication;

    const EventRecords &records() const { return m_records; }
    void resetRecords() { m_records = {}; }

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (m_depth > 0)
            return QApplication::notify(receiver, event);
        ++m_depth;
        // Read before delivery: a single-shot timer's receiver deletes itself while handling the event.
        const QEvent::Type type = event->type();
        const char *className = receiver->metaObject()->className();
        const bool toApplication = receiver == this;
        QElapsedTimer timer;
        timer.start();
        const bool handled = QApplication::notify(receiver, event);
        const double elapsed = milliseconds(timer);
        --m_depth;
        if (type == QEvent::MetaCall && toApplication)
            m_records.queuedCalls.push_back(elapsed);
        if (elapsed > m_records.longestEvent) {
            m_records.longestEvent = elapsed;
            m_records.longestEventName = QString::fromLatin1(className) + u" event "_s + QString::number(int(type));
        }
        return handled;
    }

private:
    int m_depth = 0;
    EventRecords m_records;
};

inline BenchApplication *benchApplication()
{
    return static_cast<BenchApplication *>(QCoreApplication::instance());
}

// The longest pause between the ticks of a 1 ms timer: how long the interface thread was kept from its event loop.
class GapRecorder final
{
public:
    GapRecorder()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, milliseconds(m_sinceTick));
            m_sinceTick.start();
        });
    }

    void start()
    {
        m_longest = 0;
        m_sinceTick.start();
        m_timer.start();
    }

    double stop()
    {
        m_timer.stop();
        return std::max(m_longest, milliseconds(m_sinceTick));
    }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    double m_longest = 0;
};

// Sleeps in the event loop between events, so that the waiting leaves the second core to the pool's worker; a timer
// wakes it now and then to look at the deadline.
inline bool waitUntil(const std::function<bool()> &condition, int timeoutMilliseconds = 20000)
{
    const QDeadlineTimer deadline(timeoutMilliseconds);
    QTimer wake;
    wake.start(10);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

inline void settle(int milliseconds = 50)
{
    QElapsedTimer timer;
    timer.start();
    waitUntil([&] { return timer.elapsed() >= milliseconds; });
}

// Counts the paints of a viewport, so that a flush can tell whether the event loop painted it.
class PaintCounter final : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace bench

#pragma once

// The interface thread under measurement: timing of the events it handles, the pauses of its event loop, and waiting
// in that loop without spinning.

#include "BenchSupport.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

inline double worst(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end());
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

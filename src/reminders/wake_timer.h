#pragma once

// One wake-up at a moment of the wall clock, however the clock gets there: a timer on
// the system's real-time clock, absolute, so it fires at that moment even after a
// suspend (at once on waking when the moment has passed), and cancelled as soon as the
// clock is set, which says so. Linux's timerfd; nothing else wakes the program.

#include <QObject>
#include <ctime>

class QSocketNotifier;

namespace gribo::reminders {

class WakeTimer : public QObject {
    Q_OBJECT
public:
    explicit WakeTimer(QObject* parent = nullptr);
    ~WakeTimer() override;
    WakeTimer(const WakeTimer&) = delete;
    WakeTimer& operator=(const WakeTimer&) = delete;

    // Fires once at `when` (seconds since the epoch, the wall clock's), in place of
    // what was set before. A moment already past fires at once.
    void wakeAt(std::time_t when);
    void stop();
    // Whether the system gave the timer (false: nothing will fire).
    bool works() const { return fd_ >= 0; }

Q_SIGNALS:
    // The moment has come, or the clock was set (the moment may have moved): look again.
    void woken();

private:
    void readIt();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace gribo::reminders

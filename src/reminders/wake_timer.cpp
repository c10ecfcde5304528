#include "reminders/wake_timer.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace gribo::reminders {

WakeTimer::WakeTimer(QObject* parent) : QObject(parent) {
    fd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ < 0) {
        qWarning("Gribo reminders: no timer on the real-time clock: %s", std::strerror(errno));
        return;
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &WakeTimer::readIt);
}

WakeTimer::~WakeTimer() {
    if (fd_ >= 0) ::close(fd_);
}

void WakeTimer::wakeAt(std::time_t when) {
    if (fd_ < 0) return;
    itimerspec moment{};
    moment.it_value.tv_sec = when > 0 ? when : 1;  // 0 would disarm it
    timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &moment, nullptr);
}

void WakeTimer::stop() {
    if (fd_ < 0) return;
    const itimerspec none{};
    timerfd_settime(fd_, 0, &none, nullptr);
}

void WakeTimer::readIt() {
    uint64_t expirations = 0;
    // ECANCELED: the clock was set; either way the moment is to be looked at again.
    if (::read(fd_, &expirations, sizeof expirations) < 0 && errno != ECANCELED) return;
    Q_EMIT woken();
}

}  // namespace gribo::reminders

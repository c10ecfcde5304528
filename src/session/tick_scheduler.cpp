#include "session/tick_scheduler.h"

#include <QElapsedTimer>
#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

namespace gribo::session {

TickScheduler::MonotonicClock TickScheduler::startedNow() {
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    return [elapsed] { return elapsed->elapsed(); };
}

TickScheduler::Start TickScheduler::startFrom(MonotonicClock clock) {
    if (!clock) clock = startedNow();
    const qint64 anchor = clock();
    return {std::move(clock), anchor};
}

TickScheduler::TickScheduler(QTimer& timer, GameSession& session, MonotonicClock clock)
    : TickScheduler(timer, session, startFrom(std::move(clock))) {}

TickScheduler::TickScheduler(QTimer& timer, GameSession& session, Start start)
    : timer_(timer), session_(session), clock_(std::move(start.clock)), timeline_(start.anchor) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
}

void TickScheduler::step() {
    session_.run([this](Game& game) { due_ = timeline_.step(game, clock_()); });
    arm();
}

void TickScheduler::arm() {
    if (!due_) {
        timer_.stop();
        return;
    }
    // The clock is read in whole milliseconds, rounded down, so the timer never fires
    // before the step's tick.
    timer_.start(static_cast<int>(std::clamp<qint64>(*due_ - clock_(), 0, std::numeric_limits<int>::max())));
}

}  // namespace gribo::session

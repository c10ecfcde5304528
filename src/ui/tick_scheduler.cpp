#include "ui/tick_scheduler.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace gribo::ui {
namespace {

TickScheduler::MonotonicClock orElapsed(TickScheduler::MonotonicClock clock, QElapsedTimer& elapsed) {
    if (clock) return clock;
    elapsed.start();
    return [&elapsed] { return elapsed.elapsed(); };
}

}  // namespace

TickScheduler::TickScheduler(QTimer& timer, GameSession& session, MonotonicClock clock)
    : timer_(timer), session_(session), clock_(orElapsed(std::move(clock), elapsed_)), timeline_(clock_()) {
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

}  // namespace gribo::ui

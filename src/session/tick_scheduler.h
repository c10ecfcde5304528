#pragma once

// When the game wakes. Every handler of the main window runs through run() or step():
// compteur is brought up to the current tick on the monotonic clock, the handler runs
// in the session (which saves what it wrote), then the animation timer is armed, once,
// for the next step of the animation. Between steps the GUI thread sleeps.

#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "anim/timeline.h"
#include "session/game_session.h"

namespace gribo::session {

class TickScheduler {
public:
    // Milliseconds on a monotonic clock.
    using MonotonicClock = std::function<qint64()>;

    // A monotonic clock that reads 0 now: a QElapsedTimer started here, owned by the
    // clock itself.
    static MonotonicClock startedNow();

    // Makes `timer` single-shot and precise, and arms it from now on. Tick 0 falls now;
    // without a clock of its own the scheduler reads startedNow().
    TickScheduler(QTimer& timer, GameSession& session, MonotonicClock clock = {});
    TickScheduler(const TickScheduler&) = delete;
    TickScheduler& operator=(const TickScheduler&) = delete;

    // Runs one handler of the game (menus, the life clock, start-up) at the current tick.
    template <typename Handler>
    void run(Handler&& handler) {
        session_.run(
            [this, &handler](Game& game) { due_ = timeline_.run(game, clock_(), std::forward<Handler>(handler)); });
        arm();
    }

    // The animation timer's handler: plays the step it was armed for.
    void step();

private:
    // The clock and its first reading, tick 0: each member starts from its own
    // argument, whatever the order they are declared in.
    struct Start {
        MonotonicClock clock;
        qint64 anchor;
    };
    static Start startFrom(MonotonicClock clock);
    TickScheduler(QTimer& timer, GameSession& session, Start start);

    void arm();

    QTimer& timer_;
    GameSession& session_;
    MonotonicClock clock_;
    anim::Timeline timeline_;
    std::optional<int64_t> due_;
};

}  // namespace gribo::session

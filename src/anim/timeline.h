#pragma once

// The animation's time line on a monotonic clock that the caller reads: tick n falls in
// the 10 ms from anchor + n * 10 ms, so nothing drifts over hours. The game wakes only
// for the ticks at which a step falls; the quiet ticks between are counted when the
// next step or another handler comes.

#include <cstdint>
#include <optional>
#include <utility>

#include "anim/planner.h"
#include "state/game.h"

namespace gribo::anim {

class Timeline {
public:
    static constexpr int64_t kTickMs = 10;

    // Tick 0 falls at `anchorMs`.
    explicit Timeline(int64_t anchorMs) : anchorMs_(anchorMs) {}
    Timeline(const Timeline&) = delete;
    Timeline& operator=(const Timeline&) = delete;

    // The ticks counted so far; compteur is as that tick left it.
    int64_t tick() const { return tick_; }

    // Runs one handler of the game at `nowMs`: compteur is first brought up to the tick
    // of `nowMs`, but never onto the planned step, which only step() plays. Returns when
    // the next step falls, or none when none can come until another handler runs.
    template <typename Handler>
    std::optional<int64_t> run(Game& game, int64_t nowMs, Handler&& handler) {
        catchUp(game.pet, nowMs);
        std::forward<Handler>(handler)(game);
        return plan(game.pet);
    }

    // The wake-up for the planned step: the quiet ticks before it are counted, then its
    // tick is played as the 10 ms tick plays it. The step is played in the tick of
    // `nowMs`: a wake-up that comes late plays it late and goes on from there, losing
    // the ticks it missed, as a late timer always did; it never plays them in a burst.
    // Returns as run() does.
    std::optional<int64_t> step(Game& game, int64_t nowMs);

private:
    int64_t tickOf(int64_t ms) const;
    void catchUp(PetState& pet, int64_t nowMs);
    std::optional<int64_t> plan(const PetState& pet);

    int64_t anchorMs_;
    int64_t tick_ = 0;
    std::optional<int64_t> next_;  // the tick of the planned step
};

}  // namespace gribo::anim

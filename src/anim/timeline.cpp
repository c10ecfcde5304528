#include "anim/timeline.h"

#include <cstdint>
#include <optional>
#include <string>

#include "anim/animation.h"

namespace gribo::anim {

int64_t Timeline::tickOf(int64_t ms) const {
    const int64_t since = ms - anchorMs_;
    return since >= 0 ? since / kTickMs : -((-since + kTickMs - 1) / kTickMs);
}

void Timeline::catchUp(PetState& pet, int64_t nowMs) {
    int64_t target = tickOf(nowMs);
    if (next_ && target >= *next_) {
        // The step is due and its wake-up on its way. The count stops just before it,
        // and the line moves so that this is the tick of now: what the handler starts
        // counts from now, and the time the count could not follow is lost, as it was
        // when a tick came late.
        anchorMs_ += (target - (*next_ - 1)) * kTickMs;
        target = *next_ - 1;
    }
    if (target <= tick_) return;
    countQuietTicks(pet, target - tick_);
    tick_ = target;
}

std::optional<int64_t> Timeline::step(Game& game, int64_t nowMs) {
    if (!next_) return run(game, nowMs, [](Game&) {});
    // The step falls in the tick of nowMs: late or early, the line moves by whole
    // ticks; a wake-up within the step's own 10 ms leaves it where it is.
    anchorMs_ += (tickOf(nowMs) - *next_) * kTickMs;
    countQuietTicks(game.pet, *next_ - 1 - tick_);
    tick_ = *next_;
    animationTick(game);
    return plan(game.pet);
}

std::optional<int64_t> Timeline::plan(const PetState& pet) {
    const std::optional<int32_t> ticks = ticksToNextStep(pet.stade, pet.compteur);
    next_.reset();
    if (!ticks) return std::nullopt;
    next_ = tick_ + *ticks;
    return anchorMs_ + *next_ * kTickMs;
}

}  // namespace gribo::anim

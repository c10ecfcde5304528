#pragma once

// When the animation has something to do. A tick is 10 ms and counts in compteur, and
// the sequence tables say at which counts their rows fire. Between two steps a tick
// only counts, so the game can sleep through those ticks and count them all at once.

#include <cstdint>
#include <optional>
#include <string_view>

#include "state/pet_state.h"

namespace gribo {

// The number of ticks (1 or more) from now until the next step of `stade` counted from
// `compteur`: the next tick at which a row of the stage's table fires and shows, plays,
// stores or draws something. A row that only puts the count back to 0 (the wrap of a
// looping stage) is no step: it is counted through like a quiet tick. None when no
// step can come (a stage no table knows, or a count past all of its rows).
std::optional<int32_t> ticksToNextStep(std::string_view stade, int16_t compteur);

// Moves compteur on exactly as `ticks` ticks would, wraps included, holding it at 32767.
// REQUIRES: no step falls within those ticks (`ticks` < ticksToNextStep).
void countQuietTicks(PetState& pet, int64_t ticks);

}  // namespace gribo

#pragma once

// The picture sequences of the animation tick: one table of steps per stage, and the
// nine stages in the order the tick tests them. Adding a frame is editing a row.

#include <cstdint>
#include <span>
#include <string_view>

#include "state/ports.h"

namespace gribo::anim {

// When a step fires, against the count of the tick (compteur after its increment).
enum class When : uint8_t {
    At,         // the count equals `tick`
    Above,      // the count is greater than `tick` (the looping stages' wrap)
    EveryTick,  // in every tick of the stage, before the numbered steps
};

// What a step does once its picture (if any) is shown.
enum class Effect : uint8_t {
    None,
    Restart,    // compteur = 0: the sequence begins again at the next tick
    IdleStep,   // reseed, draw, move numimage one frame up or down and show it
    Hatch,      // stade "nourrisson", compteur 0, the new stage stored
    EndMeal,    // compteur 0, numimage 8, stade "nourrisson"
    EndMilk,    // as EndMeal, then faim - 100 and datenourrit of now, both stored
    KeepClean,  // caca = 0, stored "0"
    EndBath,    // compteur 0, stade "nourrisson"
    Cry,        // the cry sound, then compteur = 0
};

struct Step {
    When when;
    int16_t tick;
    Slot slot;
    std::string_view picture;  // empty: no picture, `slot` is unused
    Effect effect;
};

constexpr Step show(int16_t tick, Slot slot, std::string_view picture, Effect then = Effect::None) {
    return {When::At, tick, slot, picture, then};
}
constexpr Step at(int16_t tick, Effect effect) { return {When::At, tick, Slot::Image2, {}, effect}; }
constexpr Step above(int16_t tick, Effect effect) { return {When::Above, tick, Slot::Image2, {}, effect}; }
constexpr Step everyTick(Effect effect) { return {When::EveryTick, 0, Slot::Image2, {}, effect}; }

struct Sequence {
    std::string_view stade;
    std::span<const Step> steps;
};

// The nine stages in the order of their tests: the eggs, the hatching, the baby at
// rest, then the activities. The hatching comes before "nourrisson", so the stage it
// hands back to is tested in the same tick.
std::span<const Sequence> sequences();

}  // namespace gribo::anim

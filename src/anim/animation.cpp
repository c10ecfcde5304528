#include "anim/animation.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>

#include "anim/sequences.h"
#include "assets/catalogue.h"
#include "rules/records.h"
#include "state/stages.h"
#include "state/values.h"

namespace gribo {
namespace {

using anim::Effect;
using anim::Step;
using anim::When;

// The first idle step of a run shows frame 9 but keeps 8, so the next shows 7 or 9.
constexpr int16_t kFirstFrame = 9;
constexpr int16_t kFirstNumimage = 8;
// A meal hands back to the middle of the walk.
constexpr int16_t kAfterMeal = 8;
constexpr int16_t kTopFrame = 13;
// Hunger that a bottle takes away.
constexpr int16_t kMilkFill = 100;

// The baby's idle step: a fresh seed, a coin toss, one frame up or down, bouncing
// off 1 and 13. The very first step shows frame 9 but keeps 8.
void idleStep(Game& game) {
    PetState& pet = game.pet;
    game.io.random.reseed();
    const int r = static_cast<int>(std::floor(game.io.random.next() * 2)) + 1;
    if (pet.numimage == 0) {
        game.io.pictures.load(Slot::Image2, asset::idleFrame(kFirstFrame));
        pet.numimage = kFirstNumimage;
        return;
    }
    const int up = pet.numimage == kTopFrame ? kTopFrame - 1 : pet.numimage + 1;
    const int down = pet.numimage == 1 ? 2 : pet.numimage - 1;
    pet.numimage = static_cast<int16_t>(r > 1 ? up : down);
    game.io.pictures.load(Slot::Image2, asset::idleFrame(pet.numimage));
}

void backToRest(PetState& pet) { beginActivity(pet, stage::kNourrisson); }

void apply(Game& game, Effect effect) {
    PetState& pet = game.pet;
    switch (effect) {
        case Effect::None:
            return;
        case Effect::Restart:
            pet.compteur = 0;
            return;
        case Effect::IdleStep:
            idleStep(game);
            return;
        case Effect::Hatch:
            enterStage(game, stage::kNourrisson);
            return;
        case Effect::EndMeal:
            backToRest(pet);
            pet.numimage = kAfterMeal;
            return;
        case Effect::EndMilk:
            backToRest(pet);
            pet.numimage = kAfterMeal;
            pet.faim = saturate16(int64_t{pet.faim} - kMilkFill);
            game.store.setNumber(Key::Faim, pet.faim);
            fedNow(game);
            return;
        case Effect::KeepClean:
            // Runs on each of the bath's ticks; the store skips the write once "0" is stored.
            pet.caca = 0;
            game.store.setNumber(Key::Caca, pet.caca);
            return;
        case Effect::EndBath:
            backToRest(pet);
            return;
        case Effect::Cry:
            game.io.sound.playCry();
            pet.compteur = 0;
            return;
    }
}

bool fires(const Step& step, int16_t count) {
    switch (step.when) {
        case When::At:
            return count == step.tick;
        case When::Above:
            return count > step.tick;
        case When::EveryTick:
            return true;
    }
    return false;
}

// Plays one stage's table for this tick. Every row is matched against the count the
// stage began the tick with, so the rows of one tick all fire in their order even
// when an earlier one restarts the count (the bath's room comes back after its
// hand-back).
void play(Game& game, std::span<const Step> steps) {
    const int16_t count = game.pet.compteur;
    for (const Step& step : steps) {
        if (!fires(step, count)) continue;
        if (!step.picture.empty()) game.io.pictures.load(step.slot, step.picture);
        apply(game, step.effect);
    }
}

}  // namespace

void animationTick(Game& game) {
    PetState& pet = game.pet;
    // Only a stage no table knows counts this far; there the count stays at its top.
    if (pet.compteur < std::numeric_limits<int16_t>::max()) ++pet.compteur;

    // Nine separate tests, each reading the stage afresh: the end of the hatching
    // lets the resting stage's test match in the same tick (with a count of 0 it does
    // nothing).
    for (const anim::Sequence& seq : anim::sequences()) {
        if (pet.stade == seq.stade) play(game, seq.steps);
    }
}

}  // namespace gribo

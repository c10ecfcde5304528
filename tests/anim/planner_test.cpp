#include "anim/planner.h"

#include <gtest/gtest.h>

#include <optional>

#include "anim/anim_rig.h"
#include "state/stages.h"

namespace gribo::test {
namespace {

TEST(Planner, DistanceToTheNextStepAndTheQuietTicksBeforeIt) {
    const std::optional<int32_t> none;
    const struct {
        std::string_view stade;
        int16_t compteur;
        std::optional<int32_t> ticks;
    } cases[] = {
        {stage::kOeuf1, 0, 1},        {stage::kOeuf1, 1, 79},        {stage::kOeuf1, 80, 81},  // wrap at 160
        {stage::kOeuf1, 161, none},   {stage::kOeuf2, 20, 21},       {stage::kOeuf2, -10, 11},
        {stage::kEclosion, 155, 15},  {stage::kEclosion, 170, none}, {stage::kNourrisson, 0, 1},
        {stage::kNourrisson, 1, 101}, {stage::kNourrisson, 250, 2},  {stage::kNourrisson, 32767, 2},
        {stage::kViande, 240, 20},    {stage::kMilk, 200, 40},       {stage::kMalade, 1, 401},
        {stage::kBain, 120, 1},       {stage::kBain, 300, 1},        {stage::kPleure, 50, 50},
        {stage::kPleure, 100, none},  {"Adulte", 0, none},           {"", 32767, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stade) + " from " + std::to_string(c.compteur));
        EXPECT_EQ(ticksToNextStep(c.stade, c.compteur), c.ticks);

        // The ticks before the step (a thousand when none comes) do nothing but count,
        // and count as countQuietTicks does; the step's own tick does something.
        Rig rig;
        enter(rig, c.stade, c.compteur);
        PetState skipped = rig.game.pet;
        const int quiet = c.ticks ? *c.ticks - 1 : 1000;
        countQuietTicks(skipped, quiet);
        run(rig, quiet);
        EXPECT_EQ(rig.game.pet.compteur, skipped.compteur);
        const auto nothingDone = [&rig, &c] {
            return rig.pictures.loads.empty() && rig.store.log.empty() && rig.sound.plays.empty() &&
                   rig.random.reseeds == 0 && rig.game.pet.stade == c.stade;
        };
        EXPECT_TRUE(nothingDone());
        if (!c.ticks) continue;
        run(rig, 1);
        EXPECT_FALSE(nothingDone());
    }
}

}  // namespace
}  // namespace gribo::test

#include "anim/planner.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "state/stages.h"

namespace gribo {
namespace {

TEST(Planner, TicksToTheNextStepOfEachStage) {
    const std::optional<int32_t> none;
    const struct {
        std::string_view stade;
        int16_t compteur;
        std::optional<int32_t> ticks;
    } cases[] = {
        {stage::kOeuf1, 0, 1},        {stage::kOeuf1, 1, 79},        {stage::kOeuf1, 80, 81},  // its wrap at 160
        {stage::kOeuf1, 161, none},   {stage::kOeuf2, 20, 21},       {stage::kOeuf2, -10, 11},
        {stage::kEclosion, 155, 15},  {stage::kEclosion, 170, none}, {stage::kNourrisson, 0, 1},
        {stage::kNourrisson, 1, 101}, {stage::kNourrisson, 250, 2},  {stage::kNourrisson, 32767, 2},
        {stage::kViande, 240, 20},    {stage::kMilk, 200, 40},       {stage::kMalade, 1, 401},
        {stage::kBain, 120, 1},       {stage::kBain, 300, 1},        {stage::kPleure, 50, 50},
        {stage::kPleure, 100, none},  {"Adulte", 0, none},           {"", 32767, none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ticksToNextStep(c.stade, c.compteur), c.ticks) << c.stade << " from " << c.compteur;
    }
}

}  // namespace
}  // namespace gribo

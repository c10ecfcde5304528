#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "anim/anim_rig.h"
#include "state/stages.h"

namespace gribo::test {
namespace {

std::string idle(int n) { return "nourrissonF" + std::to_string(n) + ".gif"; }

constexpr double kUp = 0.5;         // the smallest draw that steps up
constexpr double kDown = 0.499999;  // the largest that steps down

TEST(Idle, WalkStartsOnNineKeepingEightAndBouncesOffBothEnds) {
    // The first draw is made but unused; six up (to 13, back to 12), twelve down (to 1,
    // back to 2), then the extremes of the draw.
    std::vector<double> draws = {0.9};
    draws.insert(draws.end(), 6, kUp);
    draws.insert(draws.end(), 12, kDown);
    draws.insert(draws.end(), {0.999, 0.0});
    Rig rig;
    rig.random.script(draws);
    enter(rig, stage::kNourrisson);
    run(rig, 101 * 21);

    const int frames[] = {9, 9, 10, 11, 12, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 2, 3, 2};
    std::vector<Load> trace;  // one step every 101 ticks, from tick 1
    for (int k = 0; k < 21; ++k) trace.push_back(frameAt(1 + 101 * k, idle(frames[k])));
    EXPECT_EQ(rig.pictures.loads, trace);
    EXPECT_EQ(rig.random.reseeds, 21);
    EXPECT_EQ(rig.game.pet.compteur, 0);
    EXPECT_TRUE(rig.store.log.empty());
}

TEST(Idle, EnteredWithoutAResetMovesOnceTheCountPassesOneHundred) {
    // The vet's cure leaves the count where the sickness had it: at 250 the first tick
    // only wraps, and the frame changes on the next.
    const struct {
        int16_t compteur;
        int firstFrameTick;
    } cases[] = {{0, 1}, {1, 101}, {50, 52}, {100, 2}, {250, 2}};
    for (const auto& c : cases) {
        Rig rig;
        enter(rig, stage::kNourrisson, c.compteur);
        rig.game.pet.numimage = 13;
        rig.random.script({kUp});
        run(rig, c.firstFrameTick);
        const std::vector<Load> trace = {frameAt(c.firstFrameTick, idle(12))};
        EXPECT_EQ(rig.pictures.loads, trace) << "entered at " << c.compteur;
        EXPECT_EQ(rig.game.pet.compteur, 1) << "entered at " << c.compteur;
    }
}

}  // namespace
}  // namespace gribo::test

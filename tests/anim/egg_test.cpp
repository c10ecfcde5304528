#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "anim/anim_rig.h"
#include "state/stages.h"

namespace gribo::test {
namespace {

using W = MemoryStore::Write;

TEST(Egg, SlowAndFastBeatsShowEachFrameAtItsTickOverTwoCycles) {
    const struct {
        std::string_view stade;
        int ticks;
        std::vector<Load> trace;
    } beats[] = {
        {stage::kOeuf1,
         320,
         {frameAt(1, "oeufbleuF1.gif"), frameAt(80, "oeufbleuF2.gif"), frameAt(161, "oeufbleuF1.gif"),
          frameAt(240, "oeufbleuF2.gif")}},
        {stage::kOeuf2,
         80,
         {frameAt(1, "oeufbleuF1.gif"), frameAt(20, "oeufbleuF2.gif"), frameAt(41, "oeufbleuF1.gif"),
          frameAt(60, "oeufbleuF2.gif")}},
    };
    for (const auto& b : beats) {
        Rig rig;
        enter(rig, b.stade);
        run(rig, b.ticks);
        EXPECT_EQ(rig.pictures.loads, b.trace) << b.stade;
        EXPECT_EQ(rig.game.pet.compteur, 0) << b.stade;  // the last tick closed the second beat
        EXPECT_EQ(rig.game.pet.stade, b.stade);
        EXPECT_TRUE(rig.store.log.empty()) << b.stade;
    }
}

TEST(Hatching, PlaysElevenFramesSavesTheBabyAndShowsItOneTickLater) {
    Rig rig;
    enter(rig, stage::kEclosion);
    run(rig, 170);
    std::vector<Load> trace = {
        frameAt(1, "oeufbleuF3.gif"),    frameAt(10, "oeufbleuF4.gif"),   frameAt(20, "oeufbleuF3.gif"),
        frameAt(30, "oeufbleuF1.gif"),   frameAt(80, "oeufbleuF5.gif"),   frameAt(90, "oeufbleuF6.gif"),
        frameAt(100, "oeufbleuF7.gif"),  frameAt(120, "oeufbleuF8.gif"),  frameAt(140, "oeufbleuF9.gif"),
        frameAt(155, "oeufbleuF10.gif"), frameAt(170, "oeufbleuF11.gif"),
    };
    EXPECT_EQ(rig.pictures.loads, trace);
    const std::vector<W> saved = {{"stade", "stade", "nourrisson"}};
    EXPECT_EQ(rig.store.log, saved);
    EXPECT_EQ(rig.game.pet.stade, "nourrisson");
    EXPECT_EQ(rig.game.pet.compteur, 0);
    EXPECT_EQ(rig.game.pet.numimage, 0);
    EXPECT_EQ(rig.random.reseeds, 0);  // the resting stage matched at count 0 and did nothing

    run(rig, 1);
    trace.push_back(frameAt(171, "nourrissonF9.gif"));
    EXPECT_EQ(rig.pictures.loads, trace);
    EXPECT_EQ(rig.game.pet.numimage, 8);
    EXPECT_EQ(rig.store.log, saved);
}

}  // namespace
}  // namespace gribo::test

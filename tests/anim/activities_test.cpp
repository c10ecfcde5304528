#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "anim/anim_rig.h"
#include "state/stages.h"

namespace gribo::test {
namespace {

using W = MemoryStore::Write;

TEST(Meal, MeatGoesForwardAndBackThenRestsAtEightWithoutTouchingHunger) {
    Rig rig;
    rig.game.pet.numimage = 5;
    rig.game.pet.faim = 250;
    rig.random.script({0.0});
    enter(rig, stage::kViande);
    run(rig, 261);
    const std::vector<Load> trace = {
        frameAt(20, "nourrissonviandeF1.gif"),  frameAt(40, "nourrissonviandeF2.gif"),
        frameAt(60, "nourrissonviandeF3.gif"),  frameAt(80, "nourrissonviandeF4.gif"),
        frameAt(100, "nourrissonviandeF5.gif"), frameAt(120, "nourrissonviandeF6.gif"),
        frameAt(140, "nourrissonviandeF7.gif"), frameAt(160, "nourrissonviandeF8.gif"),
        frameAt(180, "nourrissonviandeF9.gif"), frameAt(200, "nourrissonviandeF8.gif"),
        frameAt(220, "nourrissonviandeF7.gif"), frameAt(240, "nourrissonviandeF6.gif"),
        frameAt(261, "nourrissonF7.gif"),  // back to rest at 260, one step down from 8
    };
    EXPECT_EQ(rig.pictures.loads, trace);
    EXPECT_EQ(rig.game.pet.stade, "nourrisson");
    EXPECT_EQ(rig.game.pet.numimage, 7);
    EXPECT_EQ(rig.game.pet.faim, 250);
    EXPECT_TRUE(rig.store.log.empty());
}

TEST(Meal, MilkLowersHungerAndStampsTheMealBothSavedThenRestsAtEight) {
    Rig rig;
    rig.clock.set(2006, 3, 7, 9, 59);
    rig.store.put(Key::Faim, "30");
    rig.game.pet.faim = 30;
    rig.game.pet.numimage = 11;
    rig.random.script({0.5});
    enter(rig, stage::kMilk);
    run(rig, 240);
    std::vector<Load> trace = {
        frameAt(20, "nourrissonmilkF1.gif"),  frameAt(40, "nourrissonmilkF2.gif"),
        frameAt(60, "nourrissonmilkF3.gif"),  frameAt(80, "nourrissonmilkF4.gif"),
        frameAt(100, "nourrissonmilkF5.gif"), frameAt(120, "nourrissonmilkF6.gif"),
        frameAt(140, "nourrissonmilkF5.gif"), frameAt(160, "nourrissonmilkF6.gif"),
        frameAt(180, "nourrissonmilkF5.gif"), frameAt(200, "nourrissonmilkF7.gif"),
    };
    EXPECT_EQ(rig.pictures.loads, trace);
    // 2005 * 8640 + 2 * 720 + 6 * 24 + 9
    const std::vector<W> saved = {{"stats", "faim", "-70"}, {"datestats", "datenourrit", "17324793"}};
    EXPECT_EQ(rig.store.log, saved);
    EXPECT_EQ(rig.game.pet.faim, -70);
    EXPECT_EQ(rig.game.pet.datenourrit, 17324793);
    EXPECT_EQ(rig.game.pet.stade, "nourrisson");
    EXPECT_EQ(rig.game.pet.compteur, 0);
    EXPECT_EQ(rig.game.pet.numimage, 8);

    run(rig, 1);
    trace.push_back(frameAt(241, "nourrissonF9.gif"));
    EXPECT_EQ(rig.pictures.loads, trace);
}

TEST(Meal, MilkHungerHoldsAtTheBottomOfItsRange) {
    const struct {
        int16_t before, after;
        const char* stored;
    } cases[] = {{100, 0, "0"}, {32767, 32667, "32667"}, {-32668, -32768, "-32768"}, {-32768, -32768, "-32768"}};
    for (const auto& c : cases) {
        Rig rig;
        rig.game.pet.faim = c.before;
        enter(rig, stage::kMilk);
        run(rig, 240);
        EXPECT_EQ(rig.game.pet.faim, c.after) << c.before;
        EXPECT_EQ(rig.store.get(Key::Faim), c.stored) << c.before;
    }
}

TEST(Activity, StoppedBeforeItsLastTickAppliesNoneOfItsEndEffects) {
    const struct {
        std::string_view stade;
        int lastTick;
    } cases[] = {{stage::kEclosion, 170}, {stage::kMilk, 240}, {stage::kViande, 260}};
    for (const auto& c : cases) {
        Rig rig;
        rig.game.pet.faim = 30;
        rig.game.pet.numimage = 3;
        rig.game.pet.datenourrit = 1234;
        enter(rig, c.stade);
        run(rig, c.lastTick - 1);
        enter(rig, stage::kMalade);  // the life clock's sickness, say
        run(rig, 500);
        EXPECT_EQ(rig.game.pet.stade, "nourrissonmalade") << c.stade;
        EXPECT_EQ(rig.game.pet.faim, 30) << c.stade;
        EXPECT_EQ(rig.game.pet.numimage, 3) << c.stade;
        EXPECT_EQ(rig.game.pet.datenourrit, 1234) << c.stade;
        EXPECT_TRUE(rig.store.log.empty()) << c.stade;
    }
}

TEST(Bath, KeepsTheDroppingsAtZeroEveryTickAndChangesThreePicturesTwice) {
    Rig rig;
    rig.store.put(Key::Caca, "3");
    rig.game.pet.caca = 3;
    rig.game.pet.numimage = 4;
    rig.random.script({0.99});
    enter(rig, stage::kBain);
    std::vector<std::string> stored;
    for (int t = 0; t < 300; ++t) {
        run(rig, 1);
        stored.push_back(rig.store.get(Key::Caca) + "/" + std::to_string(rig.game.pet.caca));
    }
    EXPECT_EQ(stored, std::vector<std::string>(300, "0/0"));  // store / memory after each tick
    const std::vector<W> writes = {{"stats", "caca", "0"}};   // the 299 others find it stored
    EXPECT_EQ(rig.store.log, writes);
    EXPECT_EQ(rig.game.pet.stade, "nourrisson");
    EXPECT_EQ(rig.game.pet.compteur, 0);

    run(rig, 1);
    const std::vector<Load> trace = {
        roomAt(50, Slot::Image4, "vide.gif"),    frameAt(50, "nourrissonbainF1.gif"),
        roomAt(50, Slot::Image1, "fondsdb.bmp"), frameAt(100, "nourrissonbainF2.gif"),
        frameAt(150, "nourrissonbainF3.gif"),    frameAt(200, "nourrissonbainF4.gif"),
        frameAt(250, "nourrissonbainF5.gif"),    frameAt(300, "nourrissonbainF6.gif"),
        roomAt(300, Slot::Image1, "fond.bmp"),   frameAt(301, "nourrissonF5.gif"),  // the walk resumes where it stopped
    };
    EXPECT_EQ(rig.pictures.loads, trace);
}

TEST(Bath, CutShortBeforeTheWaterStillLeavesTheDroppingsGone) {
    Rig rig;
    rig.store.put(Key::Caca, "2");
    rig.game.pet.caca = 2;
    enter(rig, stage::kBain);
    run(rig, 20);
    enter(rig, stage::kPleure);
    run(rig, 60);
    EXPECT_EQ(rig.game.pet.caca, 0);
    EXPECT_EQ(rig.store.get(Key::Caca), "0");
    const std::vector<Load> trace = {frameAt(70, "nourrissonpleureF1.gif")};
    EXPECT_EQ(rig.pictures.loads, trace);
}

TEST(Crying, CriesOnceEveryHundredTicksWithTheSecondFrame) {
    Rig rig;
    enter(rig, stage::kPleure);
    run(rig, 300);
    const std::vector<Load> trace = {
        frameAt(50, "nourrissonpleureF1.gif"),  frameAt(100, "nourrissonpleureF2.gif"),
        frameAt(150, "nourrissonpleureF1.gif"), frameAt(200, "nourrissonpleureF2.gif"),
        frameAt(250, "nourrissonpleureF1.gif"), frameAt(300, "nourrissonpleureF2.gif"),
    };
    EXPECT_EQ(rig.pictures.loads, trace);
    EXPECT_EQ(rig.sound.plays, (std::vector<int>{100, 200, 300}));
    EXPECT_TRUE(rig.store.log.empty());
}

TEST(Sickness, ShowsTheSickPictureAtTickOneOfEvery401) {
    Rig rig;
    enter(rig, stage::kMalade);
    int highest = 0;
    for (int t = 0; t < 803; ++t) {
        run(rig, 1);
        highest = std::max<int>(highest, rig.game.pet.compteur);
    }
    const std::vector<Load> trace = {frameAt(1, "nourrissonmalade.gif"), frameAt(402, "nourrissonmalade.gif"),
                                     frameAt(803, "nourrissonmalade.gif")};
    EXPECT_EQ(rig.pictures.loads, trace);
    EXPECT_EQ(highest, 400);  // 401 is reached only inside the tick that wraps it
    EXPECT_TRUE(rig.store.log.empty());
    EXPECT_TRUE(rig.sound.plays.empty());
}

}  // namespace
}  // namespace gribo::test

// What the egg's tables must do whatever their rows: the sleeping-loop differential
// test already plays every row of every table against the one-tick loop.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "anim/anim_rig.h"
#include "assets/catalogue.h"
#include "state/stages.h"

namespace gribo::test {
namespace {

using W = MemoryStore::Write;

bool isEggFrame(const Load& l) {
    return l.slot == Slot::Image2 && std::find(asset::kOeuf.begin(), asset::kOeuf.end(), l.path) != asset::kOeuf.end();
}

// An egg beats until the life clock hatches it: each beat shows the same pictures at
// the same ticks as the one before, the count starts again, and nothing is stored.
TEST(Egg, EachBeatRepeatsTheLastAndStoresNothing) {
    const struct {
        std::string_view stade;
        int beat;  // ticks of one beat: the fast egg beats four times as often
    } eggs[] = {{stage::kOeuf1, 320}, {stage::kOeuf2, 80}};
    for (const auto& e : eggs) {
        SCOPED_TRACE(e.stade);
        Rig rig;
        enter(rig, e.stade);
        run(rig, e.beat);
        const std::vector<Load> first = rig.pictures.loads;
        EXPECT_EQ(rig.game.pet.compteur, 0);
        ASSERT_FALSE(first.empty());
        EXPECT_TRUE(std::all_of(first.begin(), first.end(), isEggFrame));

        rig.pictures.loads.clear();
        run(rig, e.beat);
        std::vector<Load> again = rig.pictures.loads;
        for (Load& l : again) l.tick -= e.beat;
        EXPECT_EQ(again, first);
        EXPECT_EQ(rig.game.pet.compteur, 0);
        EXPECT_EQ(rig.game.pet.stade, e.stade);
        EXPECT_TRUE(rig.store.log.empty());
    }
}

// The hatching shows only the egg, ends on its last picture, stores the baby once and
// hands over at a count of 0: the baby's first step comes one tick later.
TEST(Hatching, EndsOnTheLastEggPictureSavesTheBabyAndShowsItOneTickLater) {
    Rig rig;
    enter(rig, stage::kEclosion);
    int ticks = 0;
    while (rig.game.pet.stade == stage::kEclosion && ticks < 1000) {
        run(rig, 1);
        ++ticks;
    }
    ASSERT_EQ(rig.game.pet.stade, "nourrisson");
    ASSERT_FALSE(rig.pictures.loads.empty());
    EXPECT_TRUE(std::all_of(rig.pictures.loads.begin(), rig.pictures.loads.end(), isEggFrame));
    EXPECT_EQ(rig.pictures.loads.back(), frameAt(ticks, "oeufbleuF11.gif"));
    const std::vector<W> saved = {{"stade", "stade", "nourrisson"}};
    EXPECT_EQ(rig.store.log, saved);
    EXPECT_EQ(rig.game.pet.compteur, 0);
    EXPECT_EQ(rig.random.reseeds, 0);  // the resting stage matched at count 0 and did nothing

    run(rig, 1);
    EXPECT_EQ(rig.pictures.loads.back(), frameAt(ticks + 1, "nourrissonF9.gif"));
    EXPECT_EQ(rig.game.pet.numimage, 8);
    EXPECT_EQ(rig.store.log, saved);
}

}  // namespace
}  // namespace gribo::test

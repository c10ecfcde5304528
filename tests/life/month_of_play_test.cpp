#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "anim/animation.h"
#include "care/commands.h"
#include "life_rig.h"
#include "rules/startup.h"
#include "state/values.h"

namespace gribo {
namespace {

using test::LifeRig;

// A player between two ticks of the life clock, through the game's own commands: milk
// about once an hour (as much as hunger grows, so it wanders both ways), a bath now and
// then when droppings lie about, the vet for a sick baby. The animation then plays what
// was started (and a hatching) to its end, as the screen would.
class Player {
public:
    Player(LifeRig& rig, int ticksPerHour, unsigned seed) : rig_(rig), perTick_(1.0 / ticksPerHour), draw_(seed) {}

    void act() {
        Game& g = rig_.game;
        if (g.pet.stade == "nourrissonmalade") {
            if (chance(perTick_)) veterinaire(g);
        } else if (chance(perTick_)) {
            lait(g);
        } else if (g.pet.caca > 0 && chance(perTick_ / 12)) {
            laver(g);
        }
        for (int i = 0; i < 400 && playsToItsEnd(g.pet.stade); ++i) animationTick(g);
    }

    // Now and then (about once a week) the program stays closed for up to 60 hours.
    long minutesUntilNextTick(long usual) {
        return chance(perTick_ / (7 * 24)) ? usual + 60L * (1 + draw_() % 60) : usual;
    }

private:
    static bool playsToItsEnd(const std::string& stade) {
        return stade == "Eclosion" || stade == "nourrissonmilk" || stade == "nourrissonviande" ||
               stade == "nourrissonbain";
    }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(draw_) < p; }

    LifeRig& rig_;
    double perTick_;
    std::mt19937 draw_;
};

// Every value in the store reads back as what the game writes, and the pet in memory
// agrees with it.
void expectSoundStore(const LifeRig& rig) {
    for (Key k : {Key::Jour, Key::Mois, Key::Annee, Key::Heure, Key::Min, Key::Faim, Key::Caca}) {
        ASSERT_TRUE(readInt16(rig.store.get(k)).ok()) << nameOf(k).key << " = " << rig.store.get(k);
    }
    ASSERT_TRUE(readInt32(rig.store.get(Key::DateNourrit)).ok()) << rig.store.get(Key::DateNourrit);
    const std::set<std::string> lifeStages = {"Oeuf1", "Oeuf2", "Eclosion", "nourrisson"};
    ASSERT_TRUE(lifeStages.count(rig.store.get(Key::Stade))) << rig.store.get(Key::Stade);
    const PetState& p = rig.game.pet;
    ASSERT_EQ(rig.store.get(Key::Faim), toText(p.faim));
    ASSERT_EQ(rig.store.get(Key::Caca), toText(p.caca));
    ASSERT_EQ(rig.store.get(Key::CacaFait), p.cacafait);
}

struct PlayLog {
    std::set<std::string> stages;
    int maxCaca = 0;
};

// Starts the game, then moves the clock by `stepMinutes` (more when the program stays
// closed) and runs `ticksPerStep` ticks, each followed by the player, until
// `totalMinutes` have passed. Checks the store after every tick.
PlayLog play(LifeRig& rig, long stepMinutes, int ticksPerStep, long totalMinutes, unsigned seed) {
    Player player(rig, static_cast<int>(60 * ticksPerStep / stepMinutes), seed);
    PlayLog log;
    startUp(rig.game);
    for (long t = 0; t < totalMinutes;) {
        const long step = player.minutesUntilNextTick(stepMinutes);
        rig.clock.advanceMinutes(step);
        t += step;
        for (int i = 0; i < ticksPerStep; ++i) {
            rig.tick();
            log.stages.insert(rig.game.pet.stade);
            player.act();
            log.maxCaca = std::max<int>(log.maxCaca, rig.game.pet.caca);
            expectSoundStore(rig);
            if (::testing::Test::HasFatalFailure()) return log;
            rig.windows.shown.clear();
            rig.pictures.loads.clear();
            rig.store.clearLog();
        }
    }
    return log;
}

TEST(AMonthOfPlay, TickingEveryTwentySecondsAcrossTheEndOfFebruary) {
    // The clock moves by whole minutes: three ticks a minute.
    LifeRig rig;
    rig.clock.set(2006, 2, 10, 8, 0);
    const PlayLog log = play(rig, 1, 3, 30L * 24 * 60, 7);
    if (HasFatalFailure()) return;
    for (const char* s : {"Oeuf1", "Oeuf2", "Eclosion", "nourrisson", "nourrissonpleure", "nourrissonmalade"}) {
        EXPECT_TRUE(log.stages.count(s)) << s;
    }
    EXPECT_GT(log.maxCaca, 0);
}

TEST(AMonthOfPlay, TickingEveryFewMinutesForAYear) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        LifeRig rig;
        rig.clock.set(2007, 1, 20, 23, 59);
        const PlayLog log = play(rig, 7, 1, 365L * 24 * 60, seed);
        if (HasFatalFailure()) return;
        EXPECT_TRUE(log.stages.count("nourrisson"));
        EXPECT_GT(log.maxCaca, 0);
    }
}

TEST(AMonthOfPlay, AfterTheDeveloperResetTheClockLeavesTheStoreAlone) {
    // The wiped store belongs to the next pet; the running one lives on in memory.
    LifeRig rig;
    rig.clock.set(2024, 6, 10, 10, 0);
    startUp(rig.game);
    reinitialiserPartie(rig.game);
    const auto wiped = rig.store.values;
    rig.store.clearLog();
    for (int i = 0; i < 3 * 24 * 3; ++i) {
        rig.clock.advanceMinutes(20);
        rig.tick();
    }
    EXPECT_EQ(rig.game.pet.stade, "Eclosion");

    for (int i = 0; i < 170; ++i) animationTick(rig.game);  // the hatching plays
    ASSERT_EQ(rig.game.pet.stade, "nourrisson");
    rig.clock.advanceHours(6);
    rig.tick();
    // Hunger counts from the hatching hour (13:00 on 10 June) kept in the game's own copy.
    EXPECT_EQ(rig.game.pet.faim, 100 * (3 * 24 + 3));
    EXPECT_EQ(rig.windows.shown.size(), 1u);
    EXPECT_TRUE(rig.store.log.empty());
    EXPECT_EQ(rig.store.values, wiped);
}

}  // namespace
}  // namespace gribo

#include "rules/records.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace gribo {
namespace {

using test::Rig;
using W = test::MemoryStore::Write;

// The creation date takes its month from the caller: a first run gives the month it
// read at start-up, a repair the clock's. Neither may take the other's.
TEST(CreationDate, IsWrittenWithTheMonthItIsGiven) {
    const struct {
        LocalDateTime now;
        int16_t month;
        std::vector<W> written;
    } cases[] = {
        {{2006, 3, 7, 9, 5},
         3,
         {{"datecreation", "jour", "7"},
          {"datecreation", "mois", "3"},
          {"datecreation", "année", "2006"},
          {"datecreation", "heure", "9"},
          {"datecreation", "min", "5"}}},
        {{2025, 1, 31, 23, 59},
         12,
         {{"datecreation", "jour", "31"},
          {"datecreation", "mois", "12"},
          {"datecreation", "année", "2025"},
          {"datecreation", "heure", "23"},
          {"datecreation", "min", "59"}}},
    };
    for (const auto& c : cases) {
        Rig rig;
        writeCreationDate(rig.game.store, c.now, c.month);
        EXPECT_EQ(rig.store.log, c.written) << c.month;
    }
}

// Whatever the droppings, what the reset writes is recognised as no pet; any one of the
// values it fixes, changed to something else, is a pet again.
TEST(ResetValues, WhatTheResetLeavesHoldsNoPetAndAnyOtherValueDoes) {
    for (int16_t caca : {int16_t{0}, int16_t{3}, int16_t{-1}, int16_t{32767}}) {
        Rig rig;
        writeResetValues(rig.store, caca);
        EXPECT_FALSE(holdsAPet(rig.game.store)) << caca;
        EXPECT_EQ(rig.store.get(Key::Caca), std::to_string(caca));
        EXPECT_EQ(rig.store.has(Key::Faim), false) << "the reset leaves the hunger alone";
    }
    const struct {
        Key key;
        const char* stored;
        bool pet;
    } cases[] = {
        {Key::Jour, "7", true},        {Key::Mois, "3", true},       {Key::Annee, "2006", true},
        {Key::Heure, "0", true},       {Key::Min, "5", true},        {Key::DateNourrit, "17324793", true},
        {Key::DateNourrit, "", false}, {Key::CacaFait, "Non", true}, {Key::CacaFait, "", false},
        {Key::Faim, "900", false},     {Key::Caca, "5", false},
    };
    for (const auto& c : cases) {
        Rig rig;
        writeResetValues(rig.store, 0);
        rig.store.put(c.key, c.stored);
        EXPECT_EQ(holdsAPet(rig.game.store), c.pet) << nameOf(c.key).key << "=" << c.stored;
    }
}

// A stored stage is counted from its first tick; an activity is never stored.
TEST(Stages, ALifeStageIsStoredAndAnActivityIsNot) {
    const struct {
        std::string_view stade;
        bool stored;
    } cases[] = {{stage::kOeuf2, true}, {stage::kNourrisson, true}, {stage::kMilk, false}, {stage::kPleure, false}};
    for (const auto& c : cases) {
        Rig rig;
        rig.game.pet.compteur = 77;
        if (c.stored) {
            enterStage(rig.game, c.stade);
        } else {
            beginActivity(rig.game.pet, c.stade);
        }
        EXPECT_EQ(rig.game.pet.stade, c.stade);
        EXPECT_EQ(rig.game.pet.compteur, 0);
        EXPECT_EQ(rig.store.log.size(), c.stored ? 1u : 0u) << c.stade;
    }
}

TEST(Fed, NowIsTheClocksHourInMemoryAndInTheStore) {
    Rig rig;
    rig.clock.set(2024, 2, 29, 23, 59);
    fedNow(rig.game);
    const int32_t stamp = hourStamp({2024, 2, 29, 23, 59});
    EXPECT_EQ(rig.game.pet.datenourrit, stamp);
    EXPECT_EQ(rig.store.log, (std::vector<W>{{"datestats", "datenourrit", std::to_string(stamp)}}));
}

}  // namespace
}  // namespace gribo

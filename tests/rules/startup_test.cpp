#include "rules/startup.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "rules/sky.h"
#include "state/stages.h"
#include "support/fakes.h"

namespace gribo {
namespace {

using test::MemoryStore;
using test::PictureRecorder;
using test::Rig;
using W = MemoryStore::Write;

TEST(StartUp, FirstRunWritesANewEggInOrder) {
    Rig rig;
    rig.clock.set(2006, 3, 7, 9, 5);
    startUp(rig.game);

    const int32_t stamp = (2006 - 1) * 8640 + (3 - 1) * 720 + (7 - 1) * 24 + 9;
    const std::vector<W> expected = test::firstRunWrites({2006, 3, 7, 9, 5});
    ASSERT_EQ(expected[6], (W{"datestats", "datenourrit", std::to_string(stamp)}));
    EXPECT_EQ(rig.store.log, expected);
    const PetState& p = rig.game.pet;
    EXPECT_EQ(p.stade, "Oeuf1");
    EXPECT_EQ(p.cacafait, "Oui");
    EXPECT_EQ(p.datenourrit, stamp);
    EXPECT_EQ(p.moisdemarrage, 3);
    EXPECT_EQ(p.faim, 0);
    EXPECT_EQ(p.caca, 0);
    EXPECT_EQ(p.compteur, 0);
    EXPECT_EQ(p.numimage, 0);
}

TEST(StartUp, ReloadRestoresThePetAndWritesNothing) {
    Rig rig;
    rig.store.put(Key::Stade, "nourrisson");
    rig.store.put(Key::Faim, "-100");
    rig.store.put(Key::Caca, "3");
    rig.store.put(Key::CacaFait, "Non");
    rig.store.put(Key::DateNourrit, "17000000");
    startUp(rig.game);

    EXPECT_TRUE(rig.store.log.empty());
    const PetState& p = rig.game.pet;
    EXPECT_EQ(p.stade, "nourrisson");
    EXPECT_EQ(p.faim, -100);
    EXPECT_EQ(p.caca, 3);
    EXPECT_EQ(p.cacafait, "Non");
    EXPECT_EQ(p.datenourrit, 0);  // the life clock reads it from the store
    EXPECT_EQ(p.compteur, 0);
}

TEST(StartUp, AnyStoredStageIsAcceptedAsIs) {
    for (const char* s : {"Eclosion", "nourrissonmilk", "whatever"}) {
        Rig rig;
        rig.store.put(Key::Stade, s);
        rig.store.put(Key::Faim, "0");
        rig.store.put(Key::Caca, "0");
        startUp(rig.game);
        EXPECT_EQ(rig.game.pet.stade, s);
        EXPECT_TRUE(rig.store.log.empty());
    }
}

TEST(StartUp, AFirstRunKeepsACopyOfAStoreThatStillHoldsAPet) {
    const struct {
        const char* what;
        std::map<Key, const char*> stored;  // no stage in any of them
        bool copied;
    } cases[] = {
        {"nothing stored", {}, false},
        {"left by the developer reset",
         {{Key::Jour, ""},
          {Key::Mois, ""},
          {Key::Annee, ""},
          {Key::Heure, ""},
          {Key::Min, ""},
          {Key::DateNourrit, "0"},
          {Key::Stade, ""},
          {Key::Faim, "450"},
          {Key::Caca, "3"},
          {Key::CacaFait, "Oui"}},
         false},
        {"a baby whose stage was lost",
         {{Key::Jour, "7"},
          {Key::Mois, "3"},
          {Key::Annee, "2006"},
          {Key::Heure, "9"},
          {Key::Min, "5"},
          {Key::DateNourrit, "17324793"},
          {Key::Faim, "120"},
          {Key::Caca, "2"},
          {Key::CacaFait, "Oui"}},
         true},
        {"only a creation day", {{Key::Jour, "7"}}, true},
        {"only a last-fed hour", {{Key::DateNourrit, "17324793"}}, true},
        {"only a dropping owed", {{Key::CacaFait, "Non"}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        for (const auto& [key, text] : c.stored) rig.store.put(key, text);
        startUp(rig.game);
        EXPECT_EQ(rig.store.copies, c.copied ? std::vector<std::size_t>{0} : std::vector<std::size_t>{});
        EXPECT_EQ(rig.store.log.size(), 10u);  // the new egg, whole
        EXPECT_EQ(rig.game.pet.stade, "Oeuf1");
    }
}

TEST(StartUp, UnreadableCountersAreRepairedAndWrittenBack) {
    Rig rig;
    rig.store.put(Key::Stade, "nourrisson");
    rig.store.put(Key::Faim, "beaucoup");
    rig.store.put(Key::Caca, "99999");
    startUp(rig.game);
    EXPECT_EQ(rig.game.pet.faim, 0);
    EXPECT_EQ(rig.game.pet.caca, 32767);
    const std::vector<W> expected = {{"stats", "faim", "0"}, {"stats", "caca", "32767"}};
    EXPECT_EQ(rig.store.log, expected);
}

TEST(StartUp, ShowsTheRoomThenTheSkyOfTheHour) {
    Rig rig;
    rig.clock.set(2024, 6, 1, 12, 30);
    startUp(rig.game);
    const std::vector<PictureRecorder::Load> expected = {
        {0, Slot::Image1, "\\datas\\fond.bmp"},
        {0, Slot::Image3, "\\datas\\cielnuit.gif"},
        {0, Slot::Image3, "\\datas\\cielaube.gif"},
        {0, Slot::Image3, "\\datas\\ciel.gif"},
    };
    EXPECT_EQ(rig.pictures.loads, expected);
}

TEST(Sky, TheLastPassingTestDecidesAndNightIsAlwaysLoadedFirst) {
    const struct {
        int hour;
        const char* shown;
        std::size_t loads;
    } cases[] = {
        {0, "\\datas\\cielnuit.gif", 1},  {5, "\\datas\\cielnuit.gif", 1},  {6, "\\datas\\cielaube.gif", 2},
        {7, "\\datas\\cielaube.gif", 2},  {8, "\\datas\\ciel.gif", 3},      {17, "\\datas\\ciel.gif", 3},
        {18, "\\datas\\cielsoir.gif", 4}, {19, "\\datas\\cielsoir.gif", 4}, {20, "\\datas\\cielnuit.gif", 5},
        {23, "\\datas\\cielnuit.gif", 5},
    };
    for (const auto& c : cases) {
        PictureRecorder rec;
        afficherCiel(rec, c.hour);
        ASSERT_EQ(rec.loads.size(), c.loads) << c.hour;
        EXPECT_EQ(rec.loads.front().path, "\\datas\\cielnuit.gif") << c.hour;
        EXPECT_EQ(rec.loads.back().path, c.shown) << c.hour;
        for (const auto& l : rec.loads) EXPECT_EQ(l.slot, Slot::Image3);
    }
}

}  // namespace
}  // namespace gribo

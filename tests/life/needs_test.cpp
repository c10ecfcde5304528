#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "anim/animation.h"
#include "care/commands.h"
#include "life_rig.h"
#include "state/messages.h"

namespace gribo {
namespace {

using test::LifeRig;
using test::stampOf;
using W = test::MemoryStore::Write;

const std::string kStarving(message::kStarvation);

TEST(Hunger, ThreeHoursAwayWithADroppingOwed) {
    LifeRig rig;
    rig.baby("nourrisson", 200, rig.now() - 3, 0, "Non");
    rig.tick();

    const std::vector<W> expected = {
        {"datestats", "datenourrit", std::to_string(rig.now())},
        {"stats", "faim", "500"},
        {"stats", "cacafait", "Oui"},
        {"stats", "caca", "1"},
    };
    EXPECT_EQ(rig.store.log, expected);
    const PetState& p = rig.game.pet;
    EXPECT_EQ(p.faim, 500);
    EXPECT_EQ(p.caca, 1);
    EXPECT_EQ(p.cacafait, "Oui");
    EXPECT_EQ(p.datenourrit, rig.now());
    EXPECT_EQ(p.stade, "nourrisson");  // 500 is not above 500
    EXPECT_EQ(rig.image4(), std::vector<std::string>{"\\datas\\gribo\\crotte1.gif"});
    EXPECT_TRUE(rig.windows.shown.empty());
}

TEST(Hunger, GrowsByAHundredAnHourFromTheStoredValue) {
    const struct {
        int hoursAgo;
        int stored;
        int expected;
        bool dropping;  // with one owed
    } cases[] = {
        {1, 200, 300, false},    {2, 200, 400, true},      {3, -500, -200, true},      {49, -3900, 1000, true},
        {327, 100, 32767, true}, {1, 32700, 32767, false}, {1, -32768, -32668, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.hoursAgo) + " h from " + std::to_string(c.stored));
        LifeRig rig;
        rig.baby("nourrisson", c.stored, rig.now() - c.hoursAgo, 0, "Non");
        rig.game.pet.faim = 5;  // the store is the base, not memory
        rig.tick();
        EXPECT_EQ(rig.game.pet.faim, c.expected);
        EXPECT_EQ(rig.store.get(Key::Faim), std::to_string(c.expected));
        EXPECT_EQ(rig.store.get(Key::DateNourrit), std::to_string(rig.now()));
        EXPECT_EQ(rig.game.pet.caca, c.dropping ? 1 : 0);
        EXPECT_EQ(rig.game.pet.cacafait, c.dropping ? "Oui" : "Non");
    }
}

TEST(Hunger, NoHourPassedLeavesHungerAsItIs) {
    const struct {
        const char* what;
        int fedY, fedM, fedD, fedH;
        int y, m, d, h;
    } cases[] = {
        {"same hour", 2024, 6, 10, 15, 2024, 6, 10, 15},
        {"clock set back", 2024, 6, 10, 15, 2024, 6, 10, 9},
        {"the 1st repeats the 31st", 2006, 1, 31, 23, 2006, 2, 1, 10},
        {"new year's day after the 31st", 2006, 12, 31, 23, 2007, 1, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LifeRig rig;
        rig.clock.set(c.y, c.m, c.d, c.h, 30);
        rig.baby("nourrisson", 200, stampOf(c.fedY, c.fedM, c.fedD, c.fedH), 0, "Non");
        rig.game.pet.faim = 42;
        rig.tick();
        EXPECT_TRUE(rig.store.log.empty());
        EXPECT_EQ(rig.game.pet.faim, 42);
        EXPECT_EQ(rig.game.pet.caca, 0);
        EXPECT_EQ(rig.game.pet.cacafait, "Non");
    }
}

TEST(Hunger, TheFirstOfMarchAddsFortyNineHoursAtOnce) {
    LifeRig rig;
    rig.clock.set(2006, 3, 1, 0, 0);
    rig.baby("nourrisson", -3900, stampOf(2006, 2, 28, 23), 2, "Non");
    rig.tick();
    EXPECT_EQ(rig.game.pet.faim, 1000);
    EXPECT_EQ(rig.game.pet.caca, 3);
    EXPECT_EQ(rig.shownTexts(), std::vector<std::string>{kStarving});
    EXPECT_EQ(rig.game.pet.stade, "nourrisson");
}

TEST(Hunger, GrowsDuringActivitiesButNotInTheEgg) {
    const struct {
        const char* stade;
        bool grows;
    } cases[] = {
        {"nourrisson", true},       {"nourrissonmilk", true},   {"nourrissonviande", true}, {"nourrissonbain", true},
        {"nourrissonpleure", true}, {"nourrissonmalade", true}, {"Eclosion", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stade);
        LifeRig rig;
        rig.baby(c.stade, 0, rig.now() - 2);
        rig.tick();
        EXPECT_EQ(rig.store.get(Key::Faim), c.grows ? "200" : "0");
        EXPECT_EQ(rig.game.pet.stade, c.stade);
    }
}

TEST(Hunger, TwoWeeksClosedLeavesAStarvingBabyNotASickOne) {
    for (const char* fed : {"two weeks", "developer reset"}) {
        SCOPED_TRACE(fed);
        LifeRig rig;
        rig.clock.set(2024, 6, 24, 15, 10);
        rig.baby("nourrisson", 300, std::string_view(fed) == "two weeks" ? stampOf(2024, 6, 10, 15) : 0);
        rig.tick();
        EXPECT_EQ(rig.store.get(Key::Faim), "32767");
        EXPECT_EQ(rig.game.pet.faim, 32767);
        EXPECT_EQ(rig.game.pet.stade, "nourrisson");
        EXPECT_EQ(rig.shownTexts(), std::vector<std::string>{kStarving});
    }
}

TEST(Hunger, AnUnreadableLastFedHourStartsCountingNow) {
    for (const char* text : {"", "abc", "12.5", " 17000000", "99999999999", "-2147483649"}) {
        SCOPED_TRACE(std::string("\"") + text + "\"");
        LifeRig rig;
        rig.baby("nourrisson", 200, 0, 0, "Non");
        rig.store.put(Key::DateNourrit, text);
        rig.tick();
        EXPECT_EQ(rig.store.log, (std::vector<W>{{"datestats", "datenourrit", std::to_string(rig.now())}}));
        EXPECT_EQ(rig.game.pet.datenourrit, rig.now());
        EXPECT_EQ(rig.game.pet.cacafait, "Non");

        rig.clock.advanceHours(1);
        rig.tick();
        EXPECT_EQ(rig.store.get(Key::Faim), "300");
    }
}

TEST(Hunger, AnUnreadableStoredHungerCountsFromItsRepairedValue) {
    const struct {
        const char* text;
        const char* after;
    } cases[] = {{"", "200"}, {"beaucoup", "200"}, {"40000", "32767"}, {"-40000", "-32568"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        LifeRig rig;
        rig.baby("nourrissonmilk", 0, rig.now() - 2);
        rig.store.put(Key::Faim, c.text);
        rig.tick();
        EXPECT_EQ(rig.store.get(Key::Faim), c.after);
    }
}

TEST(Droppings, AtMostOneForEachMealOfMilk) {
    LifeRig rig;
    rig.baby("nourrissonmilk", 0, rig.now() - 5, 32766, "Non");
    rig.tick();
    EXPECT_EQ(rig.game.pet.caca, 32767);
    rig.clock.advanceHours(5);
    rig.tick();
    EXPECT_EQ(rig.game.pet.caca, 32767);  // already paid

    rig.game.pet.cacafait = "Non";  // another meal
    rig.game.store.set(Key::CacaFait, "Non");
    rig.clock.advanceHours(5);
    rig.tick();
    EXPECT_EQ(rig.game.pet.caca, 32767);  // holds at the top
    EXPECT_EQ(rig.store.get(Key::Caca), "32767");
    EXPECT_EQ(rig.store.get(Key::CacaFait), "Oui");
}

TEST(Droppings, ThePictureFollowsTheCountAtEveryTick) {
    const struct {
        int caca;
        const char* picture;
    } cases[] = {
        {-3, nullptr},
        {0, nullptr},
        {1, "\\datas\\gribo\\crotte1.gif"},
        {3, "\\datas\\gribo\\crotte3.gif"},
        {5, "\\datas\\gribo\\crotte5.gif"},
        {6, "\\datas\\gribo\\crotte5.gif"},
        {12, "\\datas\\gribo\\crotte5.gif"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caca);
        for (const char* stade : {"Oeuf1", "Eclosion", "nourrisson", "nourrissonbain"}) {
            LifeRig rig;
            rig.clock.set(2024, 1, 1, 0, 30);
            rig.baby(stade, 0, rig.now(), c.caca);
            rig.tick();
            rig.tick();
            const auto expected =
                c.picture ? std::vector<std::string>{c.picture, c.picture} : std::vector<std::string>{};
            EXPECT_EQ(rig.image4(), expected) << stade;
        }
    }
}

TEST(LifeClock, ShowsTheSkyFirstThenTheDroppings) {
    LifeRig rig;
    rig.clock.set(2024, 6, 10, 19, 59);
    rig.baby("nourrisson", 0, rig.now(), 2);
    rig.stamp(7);
    rig.tick();
    const std::vector<test::PictureRecorder::Load> expected = {
        {7, Slot::Image3, "\\datas\\cielnuit.gif"},       {7, Slot::Image3, "\\datas\\cielaube.gif"},
        {7, Slot::Image3, "\\datas\\ciel.gif"},           {7, Slot::Image3, "\\datas\\cielsoir.gif"},
        {7, Slot::Image4, "\\datas\\gribo\\crotte2.gif"},
    };
    EXPECT_EQ(rig.pictures.loads, expected);
}

TEST(Needs, TheRestingBabyReactsToItsHunger) {
    const struct {
        int faim;
        const char* stade;
        bool notice;
    } cases[] = {
        {500, "nourrisson", false},  {501, "nourrissonpleure", false},  {999, "nourrissonpleure", false},
        {1000, "nourrisson", true},  {32767, "nourrisson", true},       {0, "nourrisson", false},
        {-200, "nourrisson", false}, {-201, "nourrissonmalade", false}, {-32768, "nourrissonmalade", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.faim);
        LifeRig rig;
        rig.baby("nourrisson", c.faim, rig.now());
        rig.game.pet.compteur = 33;
        rig.tick();
        EXPECT_EQ(rig.game.pet.stade, c.stade);
        EXPECT_EQ(rig.game.pet.compteur, std::string_view(c.stade) == "nourrisson" ? 33 : 0);
        EXPECT_EQ(rig.shownTexts(), c.notice ? std::vector<std::string>{kStarving} : std::vector<std::string>{});
        EXPECT_TRUE(rig.store.log.empty());  // crying and sickness are not stored
    }
}

TEST(Needs, OnlyABabyAtRestIsTested) {
    for (const char* stade : {"nourrissonmilk", "nourrissonviande", "nourrissonbain", "nourrissonpleure",
                              "nourrissonmalade", "Eclosion", "Nourrisson", ""}) {
        for (int faim : {700, 1500, -500}) {
            SCOPED_TRACE(std::string(stade) + " " + std::to_string(faim));
            LifeRig rig;
            rig.baby(stade, faim, rig.now());
            rig.game.pet.compteur = 33;
            rig.tick();
            EXPECT_EQ(rig.game.pet.stade, stade);
            EXPECT_EQ(rig.game.pet.compteur, 33);
            EXPECT_TRUE(rig.windows.shown.empty());
        }
    }
}

TEST(Needs, TheStarvationNoticeComesBackUntilTheBabyIsFed) {
    LifeRig rig;
    rig.clock.set(2024, 6, 10, 15, 0);
    rig.baby("nourrisson", 1200, rig.now());
    for (int i = 0; i < 3; ++i) rig.tick();  // 20 s apart, the player closing it each time
    EXPECT_EQ(rig.shownTexts(), std::vector<std::string>(3, kStarving));

    // Three bottles: at 1100 and 1000 it still starves, at 900 it cries.
    for (int meal = 0; meal < 3; ++meal) {
        lait(rig.game);
        for (int i = 0; i < 240; ++i) animationTick(rig.game);
        rig.tick();
    }
    EXPECT_EQ(rig.windows.shown.size(), 5u);
    EXPECT_EQ(rig.game.pet.faim, 900);
    EXPECT_EQ(rig.game.pet.stade, "nourrissonpleure");
}

TEST(Needs, HungerCountedInATickDecidesInThatTick) {
    // From 401, one hour brings 501: the baby cries in the same tick.
    LifeRig rig;
    rig.clock.set(2024, 6, 10, 15, 0);
    rig.baby("nourrisson", 401, rig.now() - 1);
    rig.tick();
    EXPECT_EQ(rig.game.pet.stade, "nourrissonpleure");
    EXPECT_EQ(rig.store.get(Key::Stade), "nourrisson");
}

}  // namespace
}  // namespace gribo

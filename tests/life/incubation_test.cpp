#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "life_rig.h"
#include "state/messages.h"

namespace gribo {
namespace {

using test::LifeRig;
using test::stampOf;
using W = test::MemoryStore::Write;

const std::string kEgg(message::kEggDeath);

W stadeWrite(std::string_view s) { return {"stade", "stade", std::string(s)}; }
W fedWrite(int32_t stamp) { return {"datestats", "datenourrit", std::to_string(stamp)}; }

TEST(Incubation, FollowsTheScheduleByWholeHoursSinceCreation) {
    // The egg was laid on 10 June 2024 at 10:00; the tick comes `hours` later.
    const struct {
        const char* from;
        int hours;
        std::vector<const char*> stages;  // every stage written, in order
        int notices;
    } cases[] = {
        {"Oeuf1", 0, {}, 0},
        {"Oeuf1", 1, {}, 0},
        {"Oeuf1", 2, {"Oeuf2"}, 0},
        {"Oeuf1", 3, {"Oeuf2", "Eclosion"}, 0},
        {"Oeuf1", 4, {"Oeuf2", "Eclosion", "nourrisson"}, 0},
        {"Oeuf1", 5, {"Oeuf2", "Eclosion", "nourrisson"}, 0},
        {"Oeuf1", 8, {"Oeuf2", "Eclosion", "nourrisson"}, 0},
        {"Oeuf1", 9, {"Oeuf2", "Eclosion", "nourrisson"}, 2},
        {"Oeuf2", 2, {}, 0},
        {"Oeuf2", 3, {"Eclosion"}, 0},
        {"Oeuf2", 4, {"Eclosion", "nourrisson"}, 0},
        {"Oeuf2", 9, {"Eclosion", "nourrisson"}, 1},
        {"Oeuf2", 200, {"Eclosion", "nourrisson"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " after " + std::to_string(c.hours) + " h");
        LifeRig rig;
        rig.egg(c.from, 2024, 6, 10, 10);
        rig.game.pet.compteur = 57;
        rig.clock.set(2024, 6, 10, 10);
        rig.clock.advanceHours(c.hours);
        rig.tick();

        std::vector<W> expected;
        if (!c.stages.empty()) expected.push_back(fedWrite(rig.now()));
        for (const char* s : c.stages) expected.push_back(stadeWrite(s));
        EXPECT_EQ(rig.store.log, expected);

        const std::string last = c.stages.empty() ? c.from : c.stages.back();
        EXPECT_EQ(rig.game.pet.stade, last);
        EXPECT_EQ(rig.store.get(Key::Stade), last);
        EXPECT_EQ(rig.game.pet.compteur, c.stages.empty() ? 57 : 0);
        EXPECT_EQ(rig.game.pet.datenourrit, c.stages.empty() ? 0 : rig.now());
        EXPECT_EQ(rig.shownTexts(), std::vector<std::string>(c.notices, kEgg));
    }
}

TEST(Incubation, TheMinutesOfTheCreationPlayNoPart) {
    for (int minute : {0, 59}) {
        SCOPED_TRACE(minute);
        LifeRig rig;
        rig.egg("Oeuf1", 2024, 6, 10, 10, minute);
        rig.clock.set(2024, 6, 10, 10, minute);
        std::string oeuf2At, eclosionAt;
        for (int i = 0; i < 6 * 60 && rig.game.pet.stade != "Eclosion"; ++i) {
            rig.clock.advanceMinutes(1);
            const std::string before = rig.game.pet.stade;
            rig.tick();
            const auto t = rig.clock.now();
            const std::string at = std::to_string(t.hour) + ":" + std::to_string(t.minute);
            if (before != "Oeuf2" && rig.game.pet.stade == "Oeuf2") oeuf2At = at;
            if (rig.game.pet.stade == "Eclosion") eclosionAt = at;
        }
        EXPECT_EQ(oeuf2At, "12:0");
        EXPECT_EQ(eclosionAt, "13:0");
    }
}

// Ticks once a minute from the clock's time and returns the local time of the first tick that
// leaves the egg in `stage`.
std::string firstTickIn(LifeRig& rig, std::string_view stage, int maxMinutes) {
    for (int i = 0; i < maxMinutes; ++i) {
        rig.tick();
        if (rig.game.pet.stade == stage) {
            const auto t = rig.clock.now();
            return std::to_string(t.day) + "/" + std::to_string(t.month) + " " + std::to_string(t.hour) + ":" +
                   std::to_string(t.minute);
        }
        rig.clock.advanceMinutes(1);
    }
    return "never";
}

TEST(Incubation, TheThirtyFirstSharesTheHoursOfTheNextFirst) {
    // 1 February counts the same hours as 31 January, so the egg waits a day more.
    LifeRig rig;
    rig.egg("Oeuf1", 2006, 1, 31, 22);
    rig.clock.set(2006, 1, 31, 22);
    EXPECT_EQ(firstTickIn(rig, "Oeuf2", 3 * 24 * 60), "2/2 0:0");
    EXPECT_TRUE(rig.windows.shown.empty());
}

TEST(Incubation, TheEndOfFebruaryJumpsAheadAndHatchesAnEggInOneRealHour) {
    const struct {
        int year, day;
        int hours;  // counted at midnight on 1 March
    } cases[] = {
        {2006, 28, 49},  // common year
        {2008, 29, 25},  // leap year
        {2008, 28, 49},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year * 100 + c.day);
        LifeRig rig;
        rig.egg("Oeuf1", c.year, 2, c.day, 23);
        rig.clock.set(c.year, 2, c.day, 23, 40);
        rig.tick();
        EXPECT_EQ(rig.game.pet.stade, "Oeuf1");

        rig.clock.set(c.year, 3, 1, 0, 0);
        ASSERT_EQ(rig.now() - stampOf(c.year, 2, c.day, 23), c.hours);
        rig.tick();
        EXPECT_EQ(rig.game.pet.stade, "nourrisson");
        EXPECT_EQ(rig.store.get(Key::Stade), "nourrisson");
        EXPECT_EQ(rig.store.get(Key::DateNourrit), std::to_string(rig.now()));
        EXPECT_EQ(rig.shownTexts(), std::vector<std::string>(2, kEgg));
    }
}

TEST(Incubation, AClockSetBeforeTheCreationChangesNothing) {
    for (const char* from : {"Oeuf1", "Oeuf2"}) {
        LifeRig rig;
        rig.egg(from, 2024, 6, 10, 10);
        rig.game.pet.cacafait = "Non";
        rig.game.pet.compteur = 12;
        for (int back : {1, 5, 24 * 40}) {
            rig.clock.set(2024, 6, 10, 10);
            rig.clock.advanceHours(-back);
            rig.tick();
            EXPECT_EQ(rig.game.pet.stade, from) << back;
        }
        EXPECT_TRUE(rig.store.log.empty());
        EXPECT_TRUE(rig.windows.shown.empty());
        EXPECT_EQ(rig.game.pet.compteur, 12);
        EXPECT_EQ(rig.game.pet.caca, 0);
    }
}

TEST(Incubation, AHatchingEggIsLeftToItsAnimation) {
    // Neither egg step nor hunger runs, so no hours are counted and no dropping comes.
    LifeRig rig;
    rig.egg("Eclosion", 2024, 6, 10, 10);
    rig.store.put(Key::DateNourrit, "0");
    rig.game.pet.cacafait = "Non";
    rig.store.put(Key::CacaFait, "Non");
    rig.game.pet.compteur = 99;
    rig.game.pet.faim = 700;
    rig.clock.set(2024, 6, 20, 10);
    rig.tick();
    EXPECT_TRUE(rig.store.log.empty());
    EXPECT_TRUE(rig.windows.shown.empty());
    EXPECT_EQ(rig.game.pet.stade, "Eclosion");
    EXPECT_EQ(rig.game.pet.compteur, 99);
    EXPECT_EQ(rig.game.pet.caca, 0);
    EXPECT_EQ(rig.game.pet.faim, 700);
}

TEST(Incubation, ABabyHatchedByTheTickIsTestedForItsNeedsInTheSameTick) {
    // The last-fed hour is stamped on hatching, so no hunger is counted; but the
    // hunger the pet already had makes it cry at once.
    LifeRig rig;
    rig.egg("Oeuf1", 2024, 6, 10, 10);
    rig.game.pet.faim = 700;
    rig.store.put(Key::Faim, "700");
    rig.clock.set(2024, 6, 10, 15, 20);
    rig.tick();
    EXPECT_EQ(rig.game.pet.stade, "nourrissonpleure");
    EXPECT_EQ(rig.store.get(Key::Stade), "nourrisson");
    EXPECT_EQ(rig.store.get(Key::Faim), "700");
}

TEST(Incubation, ADroppingOwedByAnEggComesWithTheHoursSinceCreation) {
    LifeRig rig;
    rig.egg("Oeuf1", 2024, 6, 10, 10);
    rig.game.pet.cacafait = "Non";
    rig.store.put(Key::CacaFait, "Non");
    rig.clock.set(2024, 6, 10, 12, 0);  // 2 hours: Oeuf2 only, but 2 > 1
    rig.tick();
    EXPECT_EQ(rig.game.pet.stade, "Oeuf2");
    EXPECT_EQ(rig.game.pet.caca, 1);
    EXPECT_EQ(rig.store.get(Key::Caca), "1");
    EXPECT_EQ(rig.store.get(Key::CacaFait), "Oui");
}

TEST(Incubation, AnUnreadableCreationDateRestartsTheEggFromNow) {
    const struct {
        const char* what;
        Key key;
        const char* text;
    } cases[] = {
        {"empty day", Key::Jour, ""},
        {"absent month", Key::Mois, nullptr},
        {"year not a number", Key::Annee, "deux mille"},
        {"hour with a sign", Key::Heure, "+10"},
        {"year beyond 16 bits", Key::Annee, "40000"},
        {"day beyond 16 bits", Key::Jour, "-40000"},
        {"month part overflows", Key::Mois, "50"},
        {"day part overflows", Key::Jour, "2000"},
        {"hour part overflows", Key::Heure, "32767"},
    };
    for (const char* from : {"Oeuf1", "Oeuf2"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(from) + ": " + c.what);
            LifeRig rig;
            rig.egg(from, 2024, 6, 10, 10);  // long ago: a wrong age would hatch and kill it
            if (c.text) {
                rig.store.put(c.key, c.text);
            } else {
                rig.store.values.erase({"datecreation", "mois"});
            }
            rig.game.pet.cacafait = "Non";
            rig.game.pet.compteur = 4;
            rig.game.pet.moisdemarrage = 3;  // the month read at start-up plays no part here
            rig.clock.set(2025, 7, 12, 15, 45);
            rig.tick();

            const std::vector<W> expected = {
                {"datecreation", "jour", "12"},  {"datecreation", "mois", "7"}, {"datecreation", "année", "2025"},
                {"datecreation", "heure", "15"}, {"datecreation", "min", "45"},
            };
            // Egg step 2 reads the mended date again in the same tick and writes nothing.
            EXPECT_EQ(rig.store.log, expected);
            EXPECT_EQ(rig.game.pet.stade, from);
            EXPECT_EQ(rig.game.pet.compteur, 4);
            EXPECT_EQ(rig.game.pet.caca, 0);  // no hours counted, no dropping
            EXPECT_TRUE(rig.windows.shown.empty());

            rig.clock.advanceHours(4);
            rig.tick();
            EXPECT_EQ(rig.game.pet.stade, "nourrisson");
            EXPECT_TRUE(rig.windows.shown.empty());
        }
    }
}

TEST(Incubation, AStrangeButReadableCreationDateIsTakenAsIs) {
    // Month 13 is still a date the calendar can count; it is not mended.
    LifeRig rig;
    rig.egg("Oeuf1", 2023, 13, 1, 0);
    rig.clock.set(2024, 1, 1, 3);
    rig.tick();
    EXPECT_EQ(rig.game.pet.stade, "Eclosion");
    EXPECT_EQ(rig.store.get(Key::Mois), "13");
}

}  // namespace
}  // namespace gribo

#include "care/commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "anim/animation.h"
#include "life/life_clock.h"
#include "rules/startup.h"
#include "state/messages.h"
#include "support/fakes.h"

namespace gribo {
namespace {

using test::MemoryStore;
using test::Rig;
using test::WindowRecorder;
using W = MemoryStore::Write;

const char* const kAllStages[] = {"Oeuf1",
                                  "Oeuf2",
                                  "Eclosion",
                                  "nourrisson",
                                  "nourrissonpleure",
                                  "nourrissonmalade",
                                  "nourrissonmilk",
                                  "nourrissonviande",
                                  "nourrissonbain",
                                  "",
                                  "Nourrisson"};

void prime(Rig& rig, const char* stade) {
    rig.game.pet.stade = stade;
    rig.game.pet.compteur = 57;
    rig.game.pet.cacafait = "Oui";
    rig.game.pet.faim = 120;
}

TEST(CareCommands, EachCommandStartsItsActivityOnlyFromTheStagesThatAllowIt) {
    struct Command {
        const char* name;
        void (*run)(Game&);
        const char* activity;
        std::vector<std::string> accepted;
    };
    const Command commands[] = {
        {"lait", lait, "nourrissonmilk", {"nourrisson", "nourrissonpleure"}},
        {"viande", viande, "nourrissonviande", {"nourrisson"}},
        {"laver", laver, "nourrissonbain", {"nourrisson", "nourrissonpleure"}},
    };
    for (const Command& c : commands) {
        for (const char* stade : kAllStages) {
            Rig rig;
            prime(rig, stade);
            c.run(rig.game);
            const bool accepted = std::find(c.accepted.begin(), c.accepted.end(), stade) != c.accepted.end();
            SCOPED_TRACE(std::string(c.name) + " from '" + stade + "'");
            EXPECT_EQ(rig.game.pet.stade, accepted ? c.activity : stade);
            EXPECT_EQ(rig.game.pet.compteur, accepted ? 0 : 57);
            EXPECT_EQ(rig.game.pet.faim, 120);
            EXPECT_TRUE(rig.windows.shown.empty());
            EXPECT_TRUE(rig.pictures.loads.empty());
            const bool owesDropping = accepted && std::string(c.name) == "lait";
            EXPECT_EQ(rig.game.pet.cacafait, owesDropping ? "Non" : "Oui");
            if (owesDropping) {
                EXPECT_EQ(rig.store.log, (std::vector<W>{{"stats", "cacafait", "Non"}}));
            } else {
                EXPECT_TRUE(rig.store.log.empty());
            }
        }
    }
}

TEST(CareCommands, ASecondMilkIsIgnoredWhileTheFirstIsDrunk) {
    Rig rig;
    prime(rig, "nourrisson");
    lait(rig.game);
    rig.game.pet.compteur = 90;
    lait(rig.game);
    laver(rig.game);
    EXPECT_EQ(rig.game.pet.stade, "nourrissonmilk");
    EXPECT_EQ(rig.game.pet.compteur, 90);
    EXPECT_EQ(rig.store.log.size(), 1u);
}

struct VetCase {
    const char* stade;
    int16_t caca;
    std::optional<std::string_view> text;  // none: no window at all
};

TEST(Vet, TheLastCheckThatHoldsGivesTheAnswer) {
    using namespace message;
    const VetCase cases[] = {
        {"Oeuf1", 0, kVetOeuf1},
        {"Oeuf1", 2, kVetOeuf1},
        {"Oeuf2", 1, kVetOeuf2},
        {"Oeuf2", 5, kVetOeuf2},
        {"nourrisson", 1, kVetHealthy},
        {"nourrisson", 5, kVetHealthy},
        {"nourrissonmalade", 0, kVetOverfed},
        {"nourrissonmalade", 3, kVetOverfed},
        {"Eclosion", 1, std::nullopt},
        {"Eclosion", 2, kVetDroppings},
        {"nourrissonpleure", 1, std::nullopt},
        {"nourrissonpleure", 2, kVetDroppings},
        {"nourrissonmilk", 0, std::nullopt},
        {"nourrissonviande", 7, kVetDroppings},
        {"nourrissonbain", 2, kVetDroppings},
    };
    for (const VetCase& c : cases) {
        Rig rig;
        prime(rig, c.stade);
        rig.game.pet.caca = c.caca;
        veterinaire(rig.game);
        SCOPED_TRACE(std::string(c.stade) + " caca " + std::to_string(c.caca));
        if (!c.text) {
            EXPECT_TRUE(rig.windows.shown.empty());
            EXPECT_EQ(rig.game.pet.stade, c.stade);
        } else {
            ASSERT_FALSE(rig.windows.shown.empty());
            EXPECT_EQ(rig.windows.shown.back().window, Window::Vet);
            EXPECT_EQ(rig.windows.shown.back().text, *c.text);
        }
        if (std::string_view(c.stade) != "nourrissonmalade") {
            EXPECT_TRUE(rig.store.log.empty());
            EXPECT_EQ(rig.game.pet.faim, 120);
        }
    }
}

TEST(Vet, CuresASickBabyAndTheSecondVisitFindsItHealthy) {
    Rig rig;
    prime(rig, "nourrissonmalade");
    rig.game.pet.faim = -350;
    rig.clock.set(2024, 6, 1, 14, 42);
    veterinaire(rig.game);

    const PetState& p = rig.game.pet;
    EXPECT_EQ(p.stade, "nourrisson");
    EXPECT_EQ(p.compteur, 57);  // untouched
    EXPECT_EQ(p.faim, 0);
    EXPECT_EQ(p.cacafait, "Non");
    const int32_t now = hourStamp({2024, 6, 1, 14, 0});
    EXPECT_EQ(p.datenourrit, now);
    const std::vector<W> writes = {
        {"stats", "cacafait", "Non"}, {"stats", "faim", "0"}, {"datestats", "datenourrit", std::to_string(now)}};
    EXPECT_EQ(rig.store.log, writes);

    veterinaire(rig.game);
    ASSERT_EQ(rig.windows.shown.size(), 2u);
    EXPECT_EQ(rig.windows.shown[0].text, message::kVetOverfed);
    EXPECT_EQ(rig.windows.shown[1].text, message::kVetHealthy);
    EXPECT_EQ(rig.store.log.size(), 3u);
}

TEST(Stats, ShowsASnapshotInTheStatsWindowAndChangesNothing) {
    Rig rig;
    prime(rig, "nourrisson");
    rig.game.pet.caca = 1;
    stats(rig.game);
    rig.game.pet.caca = 2;
    stats(rig.game);
    ASSERT_EQ(rig.windows.shown.size(), 2u);
    EXPECT_EQ(rig.windows.shown[0].window, Window::Stats);
    EXPECT_NE(rig.windows.shown[0].text.find("caca:1"), std::string::npos);
    EXPECT_NE(rig.windows.shown[1].text.find("caca:2"), std::string::npos);
    EXPECT_TRUE(rig.store.log.empty());
}

TEST(DeveloperReset, WipesTheStoreInOrderAndLeavesThePetInMemory) {
    Rig rig;
    rig.clock.set(2024, 6, 1, 9, 0);
    startUp(rig.game);
    rig.game.pet.stade = "nourrisson";
    rig.game.pet.caca = 3;
    rig.store.put(Key::Faim, "450");
    rig.store.clearLog();

    reinitialiserPartie(rig.game);
    const std::vector<W> writes = {
        {"datecreation", "jour", ""},  {"datecreation", "mois", ""}, {"datecreation", "année", ""},
        {"datecreation", "heure", ""}, {"datecreation", "min", ""},  {"datestats", "datenourrit", "0"},
        {"stade", "stade", ""},        {"stats", "caca", "3"},       {"stats", "cacafait", "Oui"},
    };
    EXPECT_EQ(rig.store.log, writes);
    EXPECT_EQ(rig.store.get(Key::Faim), "450");
    EXPECT_EQ(rig.game.pet.stade, "nourrisson");
    EXPECT_EQ(rig.game.pet.caca, 3);
}

TEST(DeveloperReset, NothingIsWrittenAfterwardsAndTheNextStartIsAFirstRun) {
    Rig rig;
    rig.clock.set(2024, 6, 1, 9, 0);
    startUp(rig.game);
    rig.game.pet.stade = "nourrissonmalade";
    reinitialiserPartie(rig.game);
    const MemoryStore::Write last = rig.store.log.back();
    const std::size_t written = rig.store.log.size();

    // Commands that would normally write.
    veterinaire(rig.game);
    lait(rig.game);
    reinitialiserPartie(rig.game);
    // A hatching that ends, and life-clock ticks hours later with a wiped last-fed stamp.
    rig.game.pet.stade = "Eclosion";
    rig.game.pet.compteur = 0;
    for (int i = 0; i < 170; ++i) animationTick(rig.game);
    EXPECT_EQ(rig.game.pet.stade, "nourrisson");
    rig.clock.advanceHours(5);
    for (int i = 0; i < 3; ++i) lifeClockTick(rig.game);
    EXPECT_EQ(rig.store.log.size(), written);
    EXPECT_EQ(rig.store.log.back(), last);
    // The game in memory goes on from its own values: five hours of hunger since the
    // cure, the owed dropping delivered, no notice from the wiped last-fed stamp.
    EXPECT_EQ(rig.game.pet.faim, 500);
    EXPECT_EQ(rig.game.pet.caca, 1);
    EXPECT_EQ(rig.game.pet.cacafait, "Oui");
    EXPECT_EQ(rig.windows.shown.size(), 1u);  // the vet's answer

    Rig next;
    next.store.values = rig.store.values;
    next.clock.set(2024, 6, 2, 10, 15);
    startUp(next.game);
    EXPECT_EQ(next.game.pet.stade, "Oeuf1");
    EXPECT_EQ(next.store.log.size(), 10u);
    EXPECT_EQ(next.store.get(Key::Jour), "2");
    EXPECT_EQ(next.store.get(Key::Caca), "0");
}

}  // namespace
}  // namespace gribo

#include "reminders/teller.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "foresight/plan.h"
#include "state/hour_stamp.h"

namespace gribo::reminders {
namespace {

using T = Tell;

LocalDateTime at(int day, int hour, int minute = 0) { return {2024, 6, day, hour, minute}; }

StoredPet baby(int faim, const LocalDateTime& fed) {
    StoredPet pet;
    pet[Key::Stade] = "nourrisson";
    pet[Key::Faim] = std::to_string(faim);
    pet[Key::Caca] = "0";
    pet[Key::CacaFait] = "Oui";
    pet[Key::DateNourrit] = std::to_string(hourStamp(fed));
    return pet;
}

// One look of the service: the store as it is then, the hour, whether the game had
// just closed, whether the desktop took what was shown; and what the look must do.
struct Look {
    const char* what;
    StoredPet pet;
    LocalDateTime now;
    bool seenInGame;
    bool delivered;
    std::optional<Tell> show;
    bool withdraw;
    std::optional<LocalDateTime> wakeAt;
};

// The looks of one service, in order, each on the real plan of its pet.
void expectLooks(const std::vector<Look>& looks) {
    Teller teller;
    for (const Look& l : looks) {
        SCOPED_TRACE(l.what);
        const std::optional<foresight::Plan> plan = foresight::planReminders(l.pet, l.now);
        ASSERT_TRUE(plan);
        if (l.seenInGame) teller.seenInGame(l.pet, *plan, l.now);
        const Teller::Step step = teller.look(l.pet, *plan, l.now);
        EXPECT_EQ(step.show, l.show);
        EXPECT_EQ(step.withdraw, l.withdraw);
        EXPECT_EQ(step.wakeAt.has_value(), l.wakeAt.has_value());
        if (step.wakeAt && l.wakeAt) {
            EXPECT_TRUE(*step.wakeAt == *l.wakeAt);
        }
        if (step.show && l.delivered) teller.delivered();
    }
}

// A baby fed to 200 at 9:00 cries at 13:00, gets its last call at 16:00 and the
// starvation notice at 17:00: each is told once, at its hour.
TEST(Teller, EachNeedIsToldOnceAtItsHour) {
    const StoredPet pet = baby(200, at(10, 9));
    expectLooks({
        {"at login", pet, at(10, 9, 15), false, true, std::nullopt, false, at(10, 13)},
        {"the crying's hour", pet, at(10, 13), false, true, T::Crying, false, at(10, 16)},
        {"woken again in the same hour: nothing twice", pet, at(10, 13, 20), false, true, std::nullopt, false,
         at(10, 16)},
        {"the last call, critical, replaces it", pet, at(10, 16), false, true, T::StarvationLastCall, false,
         at(10, 17)},
        {"the notice", pet, at(10, 17), false, true, T::Starvation, false, std::nullopt},
        {"a dead pet is told once", pet, at(10, 18), false, true, std::nullopt, false, std::nullopt},
    });
}

TEST(Teller, WhatIsThereAtLoginIsToldThenTheMostUrgent) {
    expectLooks({
        {"crying and the last call both due: the critical one", baby(950, at(10, 9)), at(10, 9, 30), false, true,
         T::StarvationLastCall, false, at(10, 10)},
    });
    expectLooks({
        {"sick at login", baby(-300, at(10, 9)), at(10, 9, 30), false, true, T::Sickness, false, at(10, 18)},
    });
}

// No server took the notice: it stays due, and the next look offers it again.
TEST(Teller, WhatNoServerTookIsOfferedAgain) {
    const StoredPet pet = baby(600, at(10, 9));
    expectLooks({
        {"no server", pet, at(10, 9, 10), false, false, T::Crying, false, at(10, 12)},
        {"a server appears", pet, at(10, 9, 40), false, true, T::Crying, false, at(10, 12)},
        {"told now", pet, at(10, 9, 50), false, true, std::nullopt, false, at(10, 12)},
    });
}

// The game ran: what it showed is not told again; the plan of the fed baby replaces
// the old one, and the old notice, whose need is met, is withdrawn.
TEST(Teller, TheGameClosesAndItsNewsAreKnown) {
    expectLooks({
        {"crying told", baby(600, at(10, 9)), at(10, 9, 10), false, true, T::Crying, false, at(10, 12)},
        {"the game closed with the baby still crying", baby(700, at(10, 10)), at(10, 10, 5), true, true, std::nullopt,
         false, at(10, 12)},
    });
    expectLooks({
        {"crying told", baby(600, at(10, 9)), at(10, 9, 10), false, true, T::Crying, false, at(10, 12)},
        {"fed, the store written by another hand: the crying is over", baby(100, at(10, 9)), at(10, 9, 30), false, true,
         std::nullopt, true, at(10, 14)},
    });
}

}  // namespace
}  // namespace gribo::reminders

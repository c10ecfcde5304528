#include "foresight/plan.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "foresight/rehearsal.h"
#include "state/hour_stamp.h"

namespace gribo {

void PrintTo(const LocalDateTime& t, std::ostream* os) {
    *os << t.year << "-" << t.month << "-" << t.day << " " << t.hour << ":" << (t.minute < 10 ? "0" : "") << t.minute;
}

namespace foresight {

void PrintTo(const Reminder& r, std::ostream* os) {
    constexpr std::string_view kNames[] = {"Crying",
                                           "Sickness",
                                           "Starvation",
                                           "EggDeath",
                                           "StarvationLastCall",
                                           "EggDeathLastCall",
                                           "StarvationCannotBeSaved",
                                           "EggDeathCannotBeSaved"};
    gribo::PrintTo(r.at, os);
    *os << " " << kNames[static_cast<int>(r.what)];
}

namespace {

using T = Tell;

LocalDateTime at(int year, int month, int day, int hour, int minute = 0) { return {year, month, day, hour, minute}; }

// The store a first run leaves: a new egg laid at `t`, by the game's own start-up.
StoredPet eggLaidAt(const LocalDateTime& t) {
    Rehearsal firstRun{StoredPet{}};
    firstRun.open(t);
    return firstRun.stored();
}

// A baby at rest with `faim`, hunger counted up to the hour of `fed`.
StoredPet baby(int faim, const LocalDateTime& fed) {
    StoredPet pet = eggLaidAt(at(2024, 1, 1, 8));
    pet[Key::Stade] = "nourrisson";
    pet[Key::Faim] = std::to_string(faim);
    pet[Key::DateNourrit] = std::to_string(hourStamp(fed));
    return pet;
}

// An egg that reached its hatching at `t` and was closed before the hatching ended.
StoredPet hatching(const LocalDateTime& t) {
    StoredPet pet = eggLaidAt(at(t.year, t.month, t.day, t.hour - 3));
    pet[Key::Stade] = "Eclosion";
    pet[Key::DateNourrit] = std::to_string(hourStamp(t));
    return pet;
}

struct Case {
    const char* what;
    StoredPet pet;
    LocalDateTime now;
    std::vector<Reminder> reminders;
    std::optional<LocalDateTime> planAgainAt;  // none: the plan holds until the store changes
};

void expectPlans(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<Plan> plan = planReminders(c.pet, c.now);
        ASSERT_TRUE(plan);
        EXPECT_EQ(plan->reminders, c.reminders);
        EXPECT_EQ(plan->planAgainAt.has_value(), c.planAgainAt.has_value());
        if (plan->planAgainAt && c.planAgainAt) {
            EXPECT_EQ(*plan->planAgainAt, *c.planAgainAt);
        }
    }
}

// Hunger grows by 100 an hour while the game is closed: above 500 the baby cries,
// from 1000 on the starvation notice comes. The last call is the last hour from which
// the game, opened and left open with the baby fed, keeps the notice away.
TEST(Foresight, AHungryBaby) {
    const LocalDateTime now = at(2024, 6, 10, 9, 15);
    expectPlans({
        {"fed to 200 this hour: cries in 4 hours, starves in 8",
         baby(200, now),
         now,
         {{at(2024, 6, 10, 13), T::Crying},
          {at(2024, 6, 10, 16), T::StarvationLastCall},
          {at(2024, 6, 10, 17), T::Starvation}},
         std::nullopt},
        {"fed to 500 an hour ago: crying now",
         baby(500, at(2024, 6, 10, 8)),
         now,
         {{at(2024, 6, 10, 9, 15), T::Crying},
          {at(2024, 6, 10, 12), T::StarvationLastCall},
          {at(2024, 6, 10, 13), T::Starvation}},
         std::nullopt},
        {"crying now: told now",
         baby(600, now),
         now,
         {{now, T::Crying}, {at(2024, 6, 10, 12), T::StarvationLastCall}, {at(2024, 6, 10, 13), T::Starvation}},
         std::nullopt},
        {"starving at the next hour: the last call is now",
         baby(950, now),
         now,
         {{now, T::Crying}, {now, T::StarvationLastCall}, {at(2024, 6, 10, 10), T::Starvation}},
         std::nullopt},
        {"sick (below -200) is told now, and the hunger that follows later",
         baby(-300, now),
         now,
         {{now, T::Sickness},
          {at(2024, 6, 10, 18), T::Crying},
          {at(2024, 6, 10, 21), T::StarvationLastCall},
          {at(2024, 6, 10, 22), T::Starvation}},
         std::nullopt},
        {"-200 is not sick",
         baby(-200, now),
         now,
         {{at(2024, 6, 10, 17), T::Crying},
          {at(2024, 6, 10, 20), T::StarvationLastCall},
          {at(2024, 6, 10, 21), T::Starvation}},
         std::nullopt},
    });
}

// The egg hatches by the hours since its creation hour; an egg found more than 8 hours
// old gets the egg's death notice. Opening it by the 8th hour hatches it in time.
TEST(Foresight, AnEgg) {
    expectPlans({
        {"made at 10:30",
         eggLaidAt(at(2024, 6, 10, 10, 30)),
         at(2024, 6, 10, 10, 30),
         {{at(2024, 6, 10, 18), T::EggDeathLastCall}, {at(2024, 6, 10, 19), T::EggDeath}},
         std::nullopt},
        {"made at 10:30, looked at from 18:40: the last call is now",
         eggLaidAt(at(2024, 6, 10, 10, 30)),
         at(2024, 6, 10, 18, 40),
         {{at(2024, 6, 10, 18, 40), T::EggDeathLastCall}, {at(2024, 6, 10, 19), T::EggDeath}},
         std::nullopt},
        {"made at 23:00 on 28 February of a common year: midnight is 49 hours on, whatever the player does",
         eggLaidAt(at(2023, 2, 28, 23)),
         at(2023, 2, 28, 23),
         {{at(2023, 2, 28, 23), T::EggDeathCannotBeSaved}, {at(2023, 3, 1, 0), T::EggDeath}},
         std::nullopt},
        {"made at 23:00 on 28 February of a leap year: the 29th comes first",
         eggLaidAt(at(2024, 2, 28, 23)),
         at(2024, 2, 28, 23),
         {{at(2024, 2, 29, 7), T::EggDeathLastCall}, {at(2024, 2, 29, 8), T::EggDeath}},
         std::nullopt},
        {"made at 22:00 on the 31st: the 1st repeats its hours",
         eggLaidAt(at(2006, 1, 31, 22)),
         at(2006, 1, 31, 22),
         {{at(2006, 2, 2, 6), T::EggDeathLastCall}, {at(2006, 2, 2, 7), T::EggDeath}},
         std::nullopt},
        {"a hatching stored as the game closed: the baby's hunger counts from its hatching hour",
         hatching(at(2024, 6, 10, 10)),
         at(2024, 6, 10, 10, 30),
         {{at(2024, 6, 10, 16), T::Crying},
          {at(2024, 6, 10, 19), T::StarvationLastCall},
          {at(2024, 6, 10, 20), T::Starvation}},
         std::nullopt},
        {"the clock set back a day after it was made",
         eggLaidAt(at(2024, 6, 10, 10)),
         at(2024, 6, 9, 10),
         {{at(2024, 6, 10, 18), T::EggDeathLastCall}, {at(2024, 6, 10, 19), T::EggDeath}},
         std::nullopt},
    });
}

// Elapsed hours are differences of the game's stamps, so the calendar's jumps count.
TEST(Foresight, TheCalendarsJumps) {
    expectPlans({
        {"fed on the 31st: hunger stands still while the 1st repeats its hours",
         baby(200, at(2006, 1, 31, 20)),
         at(2006, 1, 31, 20),
         {{at(2006, 2, 2, 0), T::Crying},
          {at(2006, 2, 2, 3), T::StarvationLastCall},
          {at(2006, 2, 2, 4), T::Starvation}},
         std::nullopt},
        {"fed on new year's eve",
         baby(200, at(2023, 12, 31, 22)),
         at(2023, 12, 31, 22),
         {{at(2024, 1, 2, 2), T::Crying},
          {at(2024, 1, 2, 5), T::StarvationLastCall},
          {at(2024, 1, 2, 6), T::Starvation}},
         std::nullopt},
        // No care keeps the notice away: it is told in the last hour before it.
        {"the end of February, common year: 52 hours of hunger at midnight, even for a baby fed every hour",
         baby(0, at(2023, 2, 28, 20)),
         at(2023, 2, 28, 20, 10),
         {{at(2023, 2, 28, 23), T::StarvationCannotBeSaved}, {at(2023, 3, 1, 0), T::Starvation}},
         std::nullopt},
        {"the end of February, leap year: 25 hours at midnight are enough too",
         baby(0, at(2024, 2, 29, 20)),
         at(2024, 2, 29, 20, 10),
         {{at(2024, 2, 29, 23), T::StarvationCannotBeSaved}, {at(2024, 3, 1, 0), T::Starvation}},
         std::nullopt},
        {"the end of February seen from 23:30: the last hour has begun, so it is told now",
         baby(0, at(2023, 2, 28, 20)),
         at(2023, 2, 28, 23, 30),
         {{at(2023, 2, 28, 23, 30), T::StarvationCannotBeSaved}, {at(2023, 3, 1, 0), T::Starvation}},
         std::nullopt},
        {"a baby at -150 on 28 February cries at 19:00, and midnight is told at 23:00",
         baby(-150, at(2023, 2, 28, 12)),
         at(2023, 2, 28, 12),
         {{at(2023, 2, 28, 19), T::Crying},
          {at(2023, 2, 28, 23), T::StarvationCannotBeSaved},
          {at(2023, 3, 1, 0), T::Starvation}},
         std::nullopt},
        {"a sick baby taken to the vet is fed from 0 again, and still meets the end of February, told 13 days on",
         baby(-32768, at(2023, 2, 15, 10)),
         at(2023, 2, 15, 10),
         {{at(2023, 2, 15, 10), T::Sickness},
          {at(2023, 2, 28, 23), T::StarvationCannotBeSaved},
          {at(2023, 3, 1, 0), T::Starvation}},
         std::nullopt},
        {"datenourrit in the future (the clock set back a day): hunger waits for it",
         baby(200, at(2024, 6, 11, 9)),
         at(2024, 6, 10, 9),
         {{at(2024, 6, 11, 13), T::Crying},
          {at(2024, 6, 11, 16), T::StarvationLastCall},
          {at(2024, 6, 11, 17), T::Starvation}},
         std::nullopt},
        {"the clock set back a year: nothing within the horizon",
         baby(200, at(2025, 6, 10, 9)),
         at(2024, 6, 10, 9, 30),
         {},
         at(2024, 6, 26, 10)},
    });
}

// Hunger holds at the ends of its 16 bits: a baby left for weeks starves, and never
// wraps round into a sick one.
TEST(Foresight, HungerAtTheEndsOfSixteenBits) {
    const LocalDateTime now = at(2024, 6, 10, 9);
    expectPlans({
        {"32000", baby(32000, now), now, {{now, T::Starvation}}, std::nullopt},
        {"32767 and 10 hours more", baby(32767, at(2024, 6, 9, 23)), now, {{now, T::Starvation}}, std::nullopt},
        {"-32768 fed 400 hours ago", baby(-32768, at(2024, 5, 24, 17)), now, {{now, T::Starvation}}, std::nullopt},
        {"-32768 fed this hour: sick now, crying after 333 hours, starving after 338",
         baby(-32768, now),
         now,
         {{now, T::Sickness},
          {at(2024, 6, 24, 6), T::Crying},
          {at(2024, 6, 24, 10), T::StarvationLastCall},
          {at(2024, 6, 24, 11), T::Starvation}},
         std::nullopt},
    });
}

// A pet already dead is told once; the plan then holds until the store changes.
TEST(Foresight, ADeadPetIsToldOnce) {
    const LocalDateTime now = at(2024, 6, 10, 9, 5);
    expectPlans({
        {"starving", baby(1000, now), now, {{now, T::Starvation}}, std::nullopt},
        {"an egg 9 hours old", eggLaidAt(at(2024, 6, 10, 0, 40)), now, {{now, T::EggDeath}}, std::nullopt},
    });
}

TEST(Foresight, NoPetNoPlan) {
    StoredPet afterReset = baby(300, at(2024, 6, 10, 9));
    for (Key k : {Key::Jour, Key::Mois, Key::Annee, Key::Heure, Key::Min, Key::Stade}) afterReset[k] = "";
    afterReset[Key::DateNourrit] = "0";
    const struct {
        const char* what;
        StoredPet pet;
    } cases[] = {
        {"an empty store", StoredPet{}},
        {"what the developer reset leaves", afterReset},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(planReminders(c.pet, at(2024, 6, 10, 9))) << c.what;
    }
}

}  // namespace
}  // namespace foresight
}  // namespace gribo

#include "life/life_clock.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "assets/catalogue.h"
#include "rules/records.h"
#include "rules/sky.h"
#include "state/messages.h"
#include "state/stages.h"
#include "state/values.h"

namespace gribo {
namespace {

// What one tick works on. The clock is read once, so every step of the tick agrees
// on the hour.
struct Tick {
    Game& game;
    LocalDateTime now;
    int32_t nowStamp;
};

bool is(const std::string& stade, std::string_view s) { return stade == s; }

// The stamp of the egg's creation date, read from the store in the order heure, jour,
// mois, année. A date that cannot be read (a key empty, not a number or beyond 16
// bits, or a month/day/hour part that overflows 16 bits) is replaced by the clock's
// date and time, so the egg counts from now instead of from a garbage age.
int32_t creationStampOrNow(Tick& t) {
    Store& s = t.game.store;
    const ReadValue<int16_t> heure = readInt16(s.get(Key::Heure));
    const ReadValue<int16_t> jour = readInt16(s.get(Key::Jour));
    const ReadValue<int16_t> mois = readInt16(s.get(Key::Mois));
    const ReadValue<int16_t> annee = readInt16(s.get(Key::Annee));
    if (heure.ok() && jour.ok() && mois.ok() && annee.ok()) {
        if (const auto stamp = creationStamp(annee.value, mois.value, jour.value, heure.value)) return *stamp;
    }
    writeCreationDate(s, t.now, static_cast<int16_t>(t.now.month));
    return t.nowStamp;
}

// One incubation threshold: more than `afterHours` since creation moves the egg to
// `to`. The hatching stamps the last-fed hour before the new stage; the step straight
// to the baby stamps it after.
struct Incubation {
    int afterHours;
    std::string_view to;
    bool stampFirst;
};

constexpr std::array<Incubation, 1> kOeuf1Steps = {{{1, stage::kOeuf2, true}}};
constexpr std::array<Incubation, 2> kOeuf2Steps = {{
    {2, stage::kEclosion, true},
    {3, stage::kNourrisson, false},
}};

// An egg left alone longer than this dies; the pet still goes on as a hatched baby.
constexpr int kEggDeathAfterHours = 8;

// Each threshold is its own test on the hours counted at the start of the step, so an
// egg found late passes several in one go. Gives the hours since the egg's creation;
// nothing when the egg is not at `stade`.
std::optional<int64_t> eggStep(Tick& t, std::string_view stade, std::span<const Incubation> steps) {
    if (!is(t.game.pet.stade, stade)) return std::nullopt;
    const int64_t age = int64_t{t.nowStamp} - creationStampOrNow(t);
    for (const Incubation& i : steps) {
        if (age <= i.afterHours) continue;
        if (i.stampFirst) fedAt(t.game, t.nowStamp);
        enterStage(t.game, i.to);
        if (!i.stampFirst) fedAt(t.game, t.nowStamp);
    }
    if (age > kEggDeathAfterHours) t.game.io.windows.show(Window::DeathNotice, message::kEggDeath);
    return age;
}

constexpr int kHungerPerHour = 100;

// Hunger grows by 100 for every hour since the stored last-fed stamp, from the stored
// hunger, then the stamp moves to now. It holds at 32767: a pet left closed for weeks
// is starving, never wrapped round into a sick one. Gives the hours counted; nothing
// for an egg.
std::optional<int64_t> hunger(Tick& t) {
    PetState& pet = t.game.pet;
    if (is(pet.stade, stage::kOeuf1) || is(pet.stade, stage::kOeuf2) || is(pet.stade, stage::kEclosion)) {
        return std::nullopt;
    }
    Store& s = t.game.store;
    const ReadValue<int32_t> fed = readInt32(s.get(Key::DateNourrit));
    if (fed.ok()) {
        pet.datenourrit = fed.value;
    } else {
        fedAt(t.game, t.nowStamp);  // unreadable: hunger counts from this hour
    }
    const int64_t hours = int64_t{t.nowStamp} - pet.datenourrit;
    if (hours <= 0) return hours;
    pet.faim = saturate16(int64_t{s.getInt16Repaired(Key::Faim)} + kHungerPerHour * hours);
    fedAt(t.game, t.nowStamp);
    s.setNumber(Key::Faim, pet.faim);
    return hours;
}

// The dropping owed by a meal of milk comes once more than an hour has been counted.
void droppings(Tick& t, int64_t hoursCounted) {
    PetState& pet = t.game.pet;
    if (hoursCounted <= 1 || !is(pet.cacafait, flag::kNon)) return;
    pet.cacafait = flag::kOui;
    pet.caca = saturate16(int64_t{pet.caca} + 1);
    t.game.store.set(Key::CacaFait, flag::kOui);
    t.game.store.setNumber(Key::Caca, pet.caca);
}

void droppingsPicture(Tick& t) {
    if (t.game.pet.caca > 0) t.game.io.pictures.load(Slot::Image4, asset::droppings(t.game.pet.caca));
}

// Only a baby at rest reacts to its hunger; the hunger bands do not overlap.
constexpr int kCryingAbove = 500;
constexpr int kStarvingFrom = 1000;
constexpr int kSickBelow = -200;

bool resting(const Tick& t) { return is(t.game.pet.stade, stage::kNourrisson); }

void crying(Tick& t) {
    const int16_t faim = t.game.pet.faim;
    if (resting(t) && faim > kCryingAbove && faim < kStarvingFrom) beginActivity(t.game.pet, stage::kPleure);
}

// Shown again at every tick while it holds, so a closed notice comes back.
void starvation(Tick& t) {
    if (resting(t) && t.game.pet.faim >= kStarvingFrom) {
        t.game.io.windows.show(Window::DeathNotice, message::kStarvation);
    }
}

void sickness(Tick& t) {
    if (resting(t) && t.game.pet.faim < kSickBelow) beginActivity(t.game.pet, stage::kMalade);
}

}  // namespace

// Every step is its own test and sees what the earlier ones left; none ends the tick.
// The droppings go by the hours counted last in this tick: by the hunger for a baby
// (an egg that hatched in this tick included), else by the egg's age; none counted
// reads as 0.
void lifeClockTick(Game& game) {
    const LocalDateTime now = game.io.clock.now();
    Tick t{game, now, hourStamp(now)};
    afficherCiel(game.io.pictures, now.hour);
    int64_t hoursCounted = 0;
    if (const auto age = eggStep(t, stage::kOeuf1, kOeuf1Steps)) hoursCounted = *age;
    if (const auto age = eggStep(t, stage::kOeuf2, kOeuf2Steps)) hoursCounted = *age;
    if (const auto hours = hunger(t)) hoursCounted = *hours;
    droppings(t, hoursCounted);
    droppingsPicture(t);
    crying(t);
    starvation(t);
    sickness(t);
}

}  // namespace gribo

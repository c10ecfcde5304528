#pragma once

// What the player would find on opening the game at each coming clock hour, and so
// which reminders to give when. Every answer comes from running the game itself on a
// copy of the stored pet (see rehearsal.h): start-up and the life clock's first tick
// at that hour, and for a last call the game left open from an hour on, with the best
// care a player can give.

#include <optional>
#include <vector>

#include "foresight/reminder_texts.h"
#include "foresight/stored_pet.h"
#include "state/calendar.h"

namespace gribo::foresight {

struct Reminder {
    LocalDateTime at;  // the start of a clock hour, or now for what is already there
    Tell what;
    bool operator==(const Reminder&) const = default;
};

struct Plan {
    // In the order of `at`:
    // - what opening now shows: the crying, the sickness, or a death notice (a dead
    //   pet is told this once, and nothing else);
    // - the first hour at which opening would show the crying, the starvation notice,
    //   the egg's death notice (sickness cannot begin while the game is closed);
    // - for a death notice, a last call at the start of the last hour at which opening
    //   still saves the pet (now, when that hour has begun); or, when no opening saves
    //   it, that it cannot be saved, at the start of the last hour before the notice
    //   (now, when that hour has begun).
    std::vector<Reminder> reminders;
    // The first hour the search did not look at: nothing more is foreseen before it,
    // so plan again then. None once a death notice is foreseen: nothing new comes
    // after it, so the plan holds until the store changes.
    std::optional<LocalDateTime> planAgainAt;
    bool operator==(const Plan&) const = default;
};

// Long enough for a baby at the lowest hunger to starve: about 338 hours, and a day
// more for each 31st on the way.
inline constexpr int kHorizonHours = 16 * 24;

// The reminders for `pet` from `now` (the local clock) over the next `horizonHours`
// clock hours. None when there is no pet: opening the game would lay a new egg.
std::optional<Plan> planReminders(const StoredPet& pet, const LocalDateTime& now, int horizonHours = kHorizonHours);

}  // namespace gribo::foresight

#pragma once

// What the reminder service tells, and when: the plan of the stored pet turned into
// one notification at a time, nothing told twice. Standard C++ only: the service
// around it reads the store, keeps the time and speaks to the desktop.
//
// What has been told is kept in memory only, for the pet as it is stored: a new
// service (a new login) tells again what is there when it starts.

#include <bitset>
#include <optional>
#include <vector>

#include "foresight/plan.h"
#include "foresight/stored_pet.h"

namespace gribo::reminders {

using foresight::Plan;
using foresight::Reminder;
using foresight::StoredPet;
using foresight::Tell;

class Teller {
public:
    struct Step {
        std::optional<Tell> show;  // the notice to show now, in place of the one shown
        bool withdraw = false;     // take away the notice shown: its news no longer holds
        // When to look again: the next hour that matters, or when the plan ends.
        std::optional<LocalDateTime> wakeAt;
    };

    // A look at `pet` at `now`, `plan` being its plan from `now`. A pet stored
    // otherwise than at the last look starts afresh: nothing of it was told.
    Step look(const StoredPet& pet, const Plan& plan, const LocalDateTime& now);
    // The player has just seen the pet in the game: what the game showed then (the
    // crying, the sickness, a death notice) is not told again.
    void seenInGame(const StoredPet& pet, const Plan& plan, const LocalDateTime& now);
    // The notice of the last look's `show` reached the desktop: what was due is told.
    void delivered();
    // The notice shown went away (withdrawn, closed by the player, the game started).
    void gone() { showing_.reset(); }

    std::optional<Tell> showing() const { return showing_; }

private:
    void samePet(const StoredPet& pet);

    StoredPet pet_;
    bool known_ = false;
    std::bitset<foresight::kTellCount> told_;
    std::vector<Tell> due_;  // of the last look, told once delivered
    std::optional<Tell> offered_;
    std::optional<Tell> showing_;
};

}  // namespace gribo::reminders

#include "reminders/teller.h"

#include <cstddef>

#include "foresight/reminder_texts.h"
#include "state/calendar.h"

namespace gribo::reminders {
namespace {

std::size_t bit(Tell t) { return static_cast<std::size_t>(t); }
bool due(const Reminder& r, const LocalDateTime& now) { return !earlier(now, r.at); }

// What opening the game shows, as opposed to what is foreseen for later.
bool shownByTheGame(Tell t) {
    return t == Tell::Crying || t == Tell::Sickness || t == Tell::Starvation || t == Tell::EggDeath;
}

}  // namespace

void Teller::samePet(const StoredPet& pet) {
    if (known_ && pet == pet_) return;
    pet_ = pet;
    known_ = true;
    told_.reset();
}

Teller::Step Teller::look(const StoredPet& pet, const Plan& plan, const LocalDateTime& now) {
    samePet(pet);
    Step step;
    due_.clear();
    bool showingHolds = false;
    for (const Reminder& r : plan.reminders) {
        if (!due(r, now)) {
            if (!told_[bit(r.what)] && (!step.wakeAt || earlier(r.at, *step.wakeAt))) step.wakeAt = r.at;
            continue;
        }
        if (showing_ == r.what) showingHolds = true;
        if (told_[bit(r.what)]) continue;
        due_.push_back(r.what);
        // Of what is due, the most urgent, and of those the latest news.
        const bool critical = foresight::textOf(r.what).urgency == foresight::Urgency::Critical;
        if (!step.show || critical || foresight::textOf(*step.show).urgency != foresight::Urgency::Critical)
            step.show = r.what;
    }
    if (plan.planAgainAt && (!step.wakeAt || earlier(*plan.planAgainAt, *step.wakeAt))) step.wakeAt = plan.planAgainAt;
    if (showing_ && !showingHolds && !step.show) {
        step.withdraw = true;
        showing_.reset();
    }
    offered_ = step.show;
    return step;
}

void Teller::seenInGame(const StoredPet& pet, const Plan& plan, const LocalDateTime& now) {
    samePet(pet);
    for (const Reminder& r : plan.reminders)
        if (due(r, now) && shownByTheGame(r.what)) told_.set(bit(r.what));
}

void Teller::delivered() {
    for (const Tell t : due_) told_.set(bit(t));
    due_.clear();
    if (offered_) showing_ = offered_;
    offered_.reset();
}

}  // namespace gribo::reminders

#include "foresight/plan.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foresight/rehearsal.h"
#include "state/calendar.h"

namespace gribo::foresight {
namespace {

// The death notices a sight shows, each with its last call and its word of no hope.
struct Death {
    bool (*shown)(const Sight&);
    Tell notice;
    Tell lastCall;
    Tell cannotBeSaved;
};
constexpr Death kDeaths[] = {
    {[](const Sight& s) { return s.starvation; }, Tell::Starvation, Tell::StarvationLastCall,
     Tell::StarvationCannotBeSaved},
    {[](const Sight& s) { return s.eggDeath; }, Tell::EggDeath, Tell::EggDeathLastCall, Tell::EggDeathCannotBeSaved},
};

// Whether opening at hours[from] comes in time for the death notice that opening at
// hours[death] shows: the game opened then and left open, the life clock ticking at
// each following hour up to that one, the player caring as well as they can after
// every tick, and no death notice comes.
//
// Rehearsals from different hours soon reach the same state (a baby fed to the same
// hunger at the same hour), and from the same state at the same hour the game goes on
// alike: `known[i]` keeps, for each state met just before the tick of hours[i], whether
// the death notice was kept away from there. So looking back over many hours costs
// about as many ticks as there are hours.
class LastCallSearch {
public:
    LastCallSearch(const StoredPet& pet, const std::vector<LocalDateTime>& hours, std::size_t death)
        : pet_(pet), hours_(hours), death_(death), known_(death + 1) {}

    bool inTime(std::size_t from) {
        Rehearsal r(pet_);
        if (r.open(hours_[from]).deathNotice()) return false;
        r.care();
        std::vector<std::pair<std::size_t, std::string>> met;
        bool saved = true;
        for (std::size_t i = from + 1; i <= death_; ++i) {
            std::string state = r.state();
            if (const auto it = known_[i].find(state); it != known_[i].end()) {
                saved = it->second;
                break;
            }
            met.emplace_back(i, std::move(state));
            if (r.tick(hours_[i]).deathNotice()) {
                saved = false;
                break;
            }
            r.care();
        }
        for (auto& [i, state] : met) known_[i].emplace(std::move(state), saved);
        return saved;
    }

private:
    const StoredPet& pet_;
    const std::vector<LocalDateTime>& hours_;
    std::size_t death_;
    std::vector<std::unordered_map<std::string, bool>> known_;
};

}  // namespace

std::optional<Plan> planReminders(const StoredPet& pet, const LocalDateTime& now, int horizonHours) {
    Rehearsal atNow(pet);
    const Sight seenNow = atNow.open(now);
    if (atNow.laidANewEgg()) return std::nullopt;

    Plan plan;
    auto tell = [&plan](const LocalDateTime& at, Tell what) { plan.reminders.push_back({at, what}); };
    if (seenNow.deathNotice()) {
        for (const Death& d : kDeaths)
            if (d.shown(seenNow)) tell(now, d.notice);
        return plan;
    }
    if (seenNow.sick) tell(now, Tell::Sickness);
    bool crying = seenNow.crying;
    if (crying) tell(now, Tell::Crying);

    // hours[0] is now itself, then the coming clock hours.
    std::vector<LocalDateTime> hours{now};
    for (int n = 0; n < horizonHours; ++n) {
        hours.push_back(nextHour(hours.back()));
        const LocalDateTime& hour = hours.back();
        Rehearsal opening(pet);
        const Sight seen = opening.open(hour);
        if (seen.crying && !crying) {
            tell(hour, Tell::Crying);
            crying = true;
        }
        if (!seen.deathNotice()) continue;

        // The last hour, before this one, from which opening still saves the pet.
        const std::size_t death = hours.size() - 1;
        LastCallSearch search(pet, hours, death);
        std::optional<std::size_t> lastCall;
        for (std::size_t from = death; from-- > 0;) {
            if (search.inTime(from)) {
                lastCall = from;
                break;
            }
        }
        for (const Death& d : kDeaths) {
            if (!d.shown(seen)) continue;
            tell(hour, d.notice);
            // A death no care can keep away is told when the player can still do
            // something for the pet: in the last hour before it, not days ahead.
            tell(lastCall ? hours[*lastCall] : hours[death - 1], lastCall ? d.lastCall : d.cannotBeSaved);
        }
        std::stable_sort(plan.reminders.begin(), plan.reminders.end(),
                         [](const Reminder& a, const Reminder& b) { return earlier(a.at, b.at); });
        return plan;
    }
    plan.planAgainAt = nextHour(hours.back());
    return plan;
}

}  // namespace gribo::foresight

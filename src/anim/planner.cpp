#include "anim/planner.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "anim/sequences.h"

namespace gribo {
namespace {

using anim::Effect;
using anim::Step;
using anim::When;

constexpr int32_t kTop = std::numeric_limits<int16_t>::max();

// The first tick (1 or more) at which `row` fires when the count, now `count`, goes up
// by one a tick and holds at its top.
std::optional<int32_t> firstFiring(const Step& row, int32_t count) {
    switch (row.when) {
        case When::EveryTick:
            return 1;
        case When::At:
            if (row.tick > count) return row.tick - count;
            if (row.tick == kTop && count == kTop) return 1;
            return std::nullopt;
        case When::Above:
            if (row.tick >= kTop) return std::nullopt;
            return std::max(1, row.tick + 1 - count);
    }
    return std::nullopt;
}

bool onlyRestarts(const Step& row) { return row.picture.empty() && row.effect == Effect::Restart; }

struct NextFiring {
    int32_t ticks;
    bool onlyRestarts;  // every row that fires then only puts the count back to 0
};

// The next tick at which some row of the stage fires. Only the stage's own table
// counts: in a tick where none of its rows fires, the stage stays, so no other stage's
// test can match.
std::optional<NextFiring> nextFiring(std::string_view stade, int32_t count) {
    std::optional<NextFiring> next;
    for (const anim::Sequence& seq : anim::sequences()) {
        if (seq.stade != stade) continue;
        for (const Step& row : seq.steps) {
            const std::optional<int32_t> k = firstFiring(row, count);
            if (!k || (next && *k > next->ticks)) continue;
            if (!next || *k < next->ticks) next = NextFiring{*k, true};
            next->onlyRestarts = next->onlyRestarts && onlyRestarts(row);
        }
    }
    return next;
}

}  // namespace

std::optional<int32_t> ticksToNextStep(std::string_view stade, int16_t compteur) {
    int32_t ticks = 0;
    int32_t count = compteur;
    // After a wrap the stage goes round from 0; a second wrap with no step on the way
    // means that it goes round for ever.
    for (int wraps = 0; wraps < 2; ++wraps) {
        const std::optional<NextFiring> next = nextFiring(stade, count);
        if (!next) return std::nullopt;
        ticks += next->ticks;
        if (!next->onlyRestarts) return ticks;
        count = 0;
    }
    return std::nullopt;
}

void countQuietTicks(PetState& pet, int64_t ticks) {
    int64_t count = pet.compteur;
    while (ticks > 0) {
        const std::optional<NextFiring> next = nextFiring(pet.stade, static_cast<int32_t>(count));
        if (!next || next->ticks > ticks) {
            count = std::min<int64_t>(count + ticks, kTop);
            break;
        }
        ticks -= next->ticks;  // a wrap: the stage goes round again from 0
        count = 0;
    }
    pet.compteur = static_cast<int16_t>(count);
}

}  // namespace gribo

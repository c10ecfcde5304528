#include "anim/sequences.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "assets/catalogue.h"
#include "state/stages.h"

namespace gribo::anim {
namespace {

// Frame numbers as the files name them (F1 is index 0).
constexpr std::string_view oeuf(std::size_t n) { return asset::kOeuf[n - 1]; }
constexpr std::string_view viande(std::size_t n) { return asset::kViande[n - 1]; }
constexpr std::string_view milk(std::size_t n) { return asset::kMilk[n - 1]; }
constexpr std::string_view bain(std::size_t n) { return asset::kBain[n - 1]; }
constexpr std::string_view pleure(std::size_t n) { return asset::kPleure[n - 1]; }

constexpr Slot kPet = Slot::Image2;

// Slow heartbeat: F1 for 79 ticks, F2 for 81, 160 ticks a beat.
constexpr Step kOeuf1[] = {
    show(1, kPet, oeuf(1)),
    show(80, kPet, oeuf(2)),
    at(160, Effect::Restart),
};

// Fast heartbeat, four times the slow one.
constexpr Step kOeuf2[] = {
    show(1, kPet, oeuf(1)),
    show(20, kPet, oeuf(2)),
    at(40, Effect::Restart),
};

// The shell trembles, rests on the beat frame, then cracks open; the baby follows.
constexpr Step kEclosion[] = {
    show(1, kPet, oeuf(3)),
    show(10, kPet, oeuf(4)),
    show(20, kPet, oeuf(3)),
    show(30, kPet, oeuf(1)),
    show(80, kPet, oeuf(5)),
    show(90, kPet, oeuf(6)),
    show(100, kPet, oeuf(7)),
    show(120, kPet, oeuf(8)),
    show(140, kPet, oeuf(9)),
    show(155, kPet, oeuf(10)),
    show(170, kPet, oeuf(11), Effect::Hatch),
};

// A new neighbouring pose every 101 ticks. The wrap copes with any count, so a baby
// put back to rest without a reset (the vet's cure) still moves within 101 ticks.
constexpr Step kNourrisson[] = {
    at(1, Effect::IdleStep),
    above(100, Effect::Restart),
};

// Nine bites forward, three back; the last frame stays until the first idle pose.
constexpr Step kViande[] = {
    show(20, kPet, viande(1)),  show(40, kPet, viande(2)),  show(60, kPet, viande(3)),  show(80, kPet, viande(4)),
    show(100, kPet, viande(5)), show(120, kPet, viande(6)), show(140, kPet, viande(7)), show(160, kPet, viande(8)),
    show(180, kPet, viande(9)), show(200, kPet, viande(8)), show(220, kPet, viande(7)), show(240, kPet, viande(6)),
    at(260, Effect::EndMeal),
};

// The bottle: F5 and F6 alternate while it drinks; nothing at 220, so F7 stays 40 ticks.
constexpr Step kMilk[] = {
    show(20, kPet, milk(1)),  show(40, kPet, milk(2)),  show(60, kPet, milk(3)),  show(80, kPet, milk(4)),
    show(100, kPet, milk(5)), show(120, kPet, milk(6)), show(140, kPet, milk(5)), show(160, kPet, milk(6)),
    show(180, kPet, milk(5)), show(200, kPet, milk(7)), at(240, Effect::EndMilk),
};

// The sick picture again at the start of every 401-tick cycle.
constexpr Step kMalade[] = {
    show(1, kPet, asset::kMalade),
    above(400, Effect::Restart),
};

// The droppings are gone from the first tick. At 50 the droppings slot is blanked,
// the baby enters the tub and the bathroom replaces the room, in that order; at 300
// the last frame, the hand-back, then the room again.
constexpr Step kBain[] = {
    everyTick(Effect::KeepClean),
    show(50, Slot::Image4, asset::kVide),
    show(50, kPet, bain(1)),
    show(50, Slot::Image1, asset::kFondSdb),
    show(100, kPet, bain(2)),
    show(150, kPet, bain(3)),
    show(200, kPet, bain(4)),
    show(250, kPet, bain(5)),
    show(300, kPet, bain(6), Effect::EndBath),
    show(300, Slot::Image1, asset::kFond),
};

// One sob and one cry every 100 ticks.
constexpr Step kPleure[] = {
    show(50, kPet, pleure(1)),
    show(100, kPet, pleure(2), Effect::Cry),
};

constexpr std::array<Sequence, 9> kSequences = {{
    {stage::kOeuf1, kOeuf1},
    {stage::kOeuf2, kOeuf2},
    {stage::kEclosion, kEclosion},
    {stage::kNourrisson, kNourrisson},
    {stage::kViande, kViande},
    {stage::kMilk, kMilk},
    {stage::kMalade, kMalade},
    {stage::kBain, kBain},
    {stage::kPleure, kPleure},
}};

// Within a table: per-tick rows first, numbered rows in ascending order, wraps last.
constexpr bool wellOrdered(std::span<const Step> steps) {
    int last = -1;
    for (const Step& s : steps) {
        const int key = s.when == When::EveryTick ? -1 : s.tick + (s.when == When::Above ? 1 : 0);
        if (key < last) return false;
        last = key;
    }
    return true;
}

constexpr bool allWellOrdered() {
    for (const Sequence& s : kSequences)
        if (!wellOrdered(s.steps)) return false;
    return true;
}
static_assert(allWellOrdered(), "steps of a stage are listed in the order they fire");

}  // namespace

std::span<const Sequence> sequences() { return kSequences; }

}  // namespace gribo::anim

// The tick runs 100 times a second for days: between the tick numbers of its tables it
// must not touch the heap. This file counts every allocation of the test program.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "anim/anim_rig.h"
#include "state/stages.h"

namespace {
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace gribo::test {
namespace {

TEST(TickCost, BetweenItsStepsAStageAllocatesNothingAndTouchesNothing) {
    // Each stage entered at a count from which `quiet` ticks follow with no step.
    const struct {
        std::string_view stade;
        int16_t from;
        int quiet;
    } cases[] = {
        {stage::kOeuf1, 1, 78},    {stage::kOeuf2, 1, 18},  {stage::kEclosion, 30, 49}, {stage::kNourrisson, 1, 99},
        {stage::kViande, 240, 19}, {stage::kMilk, 200, 39}, {stage::kMalade, 1, 399},   {stage::kBain, 1, 48},
        {stage::kPleure, 0, 49},   {"Adulte", 32000, 1000},
    };
    for (const auto& c : cases) {
        Rig rig;
        enter(rig, c.stade, c.from);
        rig.game.store.set(Key::Caca, "0");  // the bath's first write is behind it
        rig.store.clearLog();

        const long before = gAllocations.load();
        for (int t = 0; t < c.quiet; ++t) animationTick(rig.game);
        EXPECT_EQ(gAllocations.load() - before, 0) << c.stade;

        EXPECT_TRUE(rig.pictures.loads.empty() && rig.store.log.empty() && rig.sound.plays.empty()) << c.stade;
        EXPECT_EQ(rig.random.reseeds, 0) << c.stade;
    }
}

}  // namespace
}  // namespace gribo::test

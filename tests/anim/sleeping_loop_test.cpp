// The same sessions played by the 10 ms loop (one tick every 10 ms, as the game always
// ran) and by the sleeping loop (a wake-up for each step only), both on a fake
// monotonic clock: they must leave the same trace, tick for tick.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "anim/anim_rig.h"
#include "anim/sequences.h"
#include "anim/timeline.h"
#include "care/commands.h"
#include "life/life_clock.h"
#include "rules/startup.h"
#include "state/stages.h"

namespace gribo::test {
namespace {

// Every call of the game to its ports, as a line headed by the tick it came in.
struct Trace : MemoryStore, Random, PictureSlots, Windows, Sound {
    std::function<int64_t()> tick;
    std::vector<std::string> lines;
    std::minstd_rand draws;
    void note(const std::string& what) { lines.push_back(std::to_string(tick()) + " " + what); }
    void write(std::string_view section, std::string_view key, std::string_view value) override {
        note(std::string(section) + "/" + std::string(key) + "=" + std::string(value));
        MemoryStore::write(section, key, value);
    }
    void reseed() override { note("reseed"); }
    double next() override { return double(draws() % 1000) / 1000; }
    void load(Slot slot, std::string_view path) override { note(std::to_string(int(slot)) + std::string(path)); }
    void show(Window window, std::string_view text) override { note(std::to_string(int(window)) + std::string(text)); }
    void playCry() override { note("cry"); }
};

struct Event {
    int64_t ms;
    std::string name;
    std::function<void(Game&)> run;
};

struct Session {
    std::array<std::string, kKeyCount> store;  // by Key
    std::vector<Event> events;                 // in time order, start-up first
    int64_t endMs;
};

// A random pet with a random stored past (any stage, known or not), then up to a dozen
// things done at random times: the commands, life-clock ticks with the clock moved on,
// a stage set from outside at any count.
Session randomSession(unsigned seed) {
    std::mt19937 rng(seed);
    const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<std::string> stades = {"Adulte", ""};
    for (const anim::Sequence& seq : anim::sequences()) stades.emplace_back(seq.stade);
    FakeClock created;
    created.advanceHours(-pick(0, 10));
    const LocalDateTime c = created.now();
    Session s{{std::to_string(c.day), std::to_string(c.month), std::to_string(c.year), std::to_string(c.hour), "0",
               std::to_string(hourStamp(FakeClock().now()) - pick(0, 3)), stades[std::size_t(pick(0, 10))],
               std::to_string(pick(-400, 1200)), std::to_string(pick(0, 3)), pick(0, 1) ? "Oui" : "Non"},
              {{0, "startUp", startUp}},
              pick(0, 40000)};
    const std::pair<const char*, void (*)(Game&)> commands[] = {{"lait", lait},   {"viande", viande},
                                                                {"laver", laver}, {"vet", veterinaire},
                                                                {"stats", stats}, {"reset", reinitialiserPartie}};
    for (int n = pick(0, 12); n > 0; --n) {
        // Often soon after the one before (a bath after a meal, a life-clock tick in the
        // bath), sometimes at the very same time.
        const int64_t ms = pick(0, 2) == 0 ? std::min(s.endMs, s.events.back().ms + pick(0, 1) * pick(0, 3000))
                                           : pick(0, int(s.endMs));
        const int kind = pick(0, 7);
        if (kind < 6) {
            s.events.push_back({ms, commands[kind].first, commands[kind].second});
        } else if (kind == 6) {
            const int minutes = pick(0, 2) == 0 ? pick(60, 300) : pick(0, 30);
            s.events.push_back({ms, "life +" + std::to_string(minutes), [minutes](Game& g) {
                                    static_cast<FakeClock&>(g.io.clock).advanceMinutes(minutes);
                                    lifeClockTick(g);
                                }});
        } else {
            const std::string stade = stades[std::size_t(pick(0, 10))];
            const auto compteur = static_cast<int16_t>(pick(0, 3) == 0 ? pick(32700, 32767) : pick(0, 450));
            s.events.push_back({ms, "stade " + stade + " " + std::to_string(compteur),
                                [stade, compteur](Game& g) { g.pet.stade = stade, g.pet.compteur = compteur; }});
        }
    }
    std::stable_sort(s.events.begin(), s.events.end(), [](const Event& a, const Event& b) { return a.ms < b.ms; });
    return s;
}

// One play of a session: the pet, its ports, and what it did.
struct Play {
    explicit Play(const Session& s) {
        for (std::size_t k = 0; k < kKeyCount; ++k) trace.put(Key(k), s.store[k]);
    }
    void handle(const Event& e) {
        trace.note(e.name + " at " + std::to_string(game.pet.compteur));
        e.run(game);
    }
    std::vector<std::string> end() {
        const PetState& p = game.pet;
        trace.note(p.stade + " " + std::to_string(p.compteur) + " " + std::to_string(p.numimage) + " " +
                   std::to_string(p.faim) + " " + std::to_string(p.caca));
        return trace.lines;
    }
    Trace trace;
    FakeClock clock;
    Platform platform{clock, trace, trace, trace, trace, trace};
    Game game{platform};
};

std::vector<std::string> tickEvery10Ms(const Session& s) {
    Play play(s);
    int64_t tick = 0;
    play.trace.tick = [&tick] { return tick; };
    const auto ticksUpTo = [&](int64_t ms) {
        for (; (tick + 1) * anim::Timeline::kTickMs <= ms; ++tick, animationTick(play.game)) {
        }
    };
    for (const Event& e : s.events) ticksUpTo(e.ms), play.handle(e);
    ticksUpTo(s.endMs);
    return play.end();
}

std::vector<std::string> sleepBetweenSteps(const Session& s) {
    Play play(s);
    anim::Timeline line(0);
    play.trace.tick = [&line] { return line.tick(); };
    std::optional<int64_t> due;
    const auto stepsUpTo = [&](int64_t ms) {
        while (due && *due <= ms) due = line.step(play.game, *due);
    };
    for (const Event& e : s.events) {
        stepsUpTo(e.ms);
        due = line.run(play.game, e.ms, [&](Game&) { play.handle(e); });
    }
    stepsUpTo(s.endMs);
    line.run(play.game, s.endMs, [](Game&) {});
    return play.end();
}

TEST(SleepingLoop, PlaysEverySessionAsTheTenMillisecondLoopDoes) {
    std::string all;
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        const Session s = randomSession(seed);
        const std::vector<std::string> expected = tickEvery10Ms(s);
        ASSERT_EQ(sleepBetweenSteps(s), expected) << "seed " << seed;
        for (const std::string& line : expected) all += line + "\n";
    }
    // The sessions reach every sequence's ending, the cry, the cure and the notices.
    for (const char* seen : {"stade/stade=nourrisson", "oeufbleuF11", "viandeF6", "stats/faim=-", "bainF6", "cry",
                             "1\\datas\\gribo\\nourrissonmalade", "reseed", "2Ce nourrisson", "1Triste"}) {
        EXPECT_NE(all.find(seen), std::string::npos) << seen;
    }
}

TEST(SleepingLoop, AnHourOfARestingBabyStepsAtTheSameTicksWithWakeUpsUpToATickLate) {
    Rig every10Ms;
    enter(every10Ms, stage::kNourrisson);
    run(every10Ms, 360000);

    Rig sleeping;
    enter(sleeping, stage::kNourrisson);
    const int64_t anchor = 7;
    anim::Timeline line(anchor);
    std::minstd_rand late(3);
    for (auto due = line.run(sleeping.game, anchor, [](Game&) {}); due && *due <= anchor + 3600000;) {
        sleeping.stamp(int((*due - anchor) / anim::Timeline::kTickMs));
        due = line.step(sleeping.game, *due + int64_t(late() % 10));
    }
    EXPECT_EQ(sleeping.pictures.loads, every10Ms.pictures.loads);
    EXPECT_EQ(sleeping.random.reseeds, 3565);
}

}  // namespace
}  // namespace gribo::test

// The same sessions played by the 10 ms loop (one tick every 10 ms, as the game always
// ran) and by the sleeping loop (a wake-up for each step only), both on a fake
// monotonic clock: they must leave the same trace, tick for tick.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "anim/anim_rig.h"
#include "anim/timeline.h"
#include "care/commands.h"
#include "life/life_clock.h"
#include "state/stages.h"
#include "state/startup.h"

namespace gribo::test {
namespace {

// Every call of the game to its ports, as a line headed by the tick it came in.
struct Trace : MemoryStore, Random, PictureSlots, Windows, Sound {
    std::function<int64_t()> tick;
    std::vector<std::string> lines;
    std::minstd_rand draws;
    void note(std::string_view what) { lines.push_back(std::to_string(tick()) + " " + std::string(what)); }
    void write(std::string_view section, std::string_view key, std::string_view value) override {
        note(std::string(section) + "/" + std::string(key) + "=" + std::string(value));
        MemoryStore::write(section, key, value);
    }
    void reseed() override { note("reseed"); }
    double next() override { return double(draws() - draws.min()) / double(draws.max() - draws.min() + 1); }
    void load(Slot slot, std::string_view path) override { note(std::to_string(int(slot)) + std::string(path)); }
    void show(Window window, std::string_view text) override { note(std::to_string(int(window)) + std::string(text)); }
    void playCry() override { note("cry"); }
};

struct Event {
    int64_t ms;
    std::string name;
    std::function<void(Game&, FakeClock&)> run;
};

struct Session {
    std::vector<std::pair<Key, std::string>> store;
    std::vector<Event> events;  // in time order, start-up first
    int64_t endMs;
};

const std::string_view kStades[] = {stage::kOeuf1,
                                    stage::kOeuf2,
                                    stage::kEclosion,
                                    stage::kNourrisson,
                                    stage::kViande,
                                    stage::kMilk,
                                    stage::kMalade,
                                    stage::kBain,
                                    stage::kPleure,
                                    "Adulte",
                                    ""};

// A random pet with a random stored past, then up to a dozen things done at random
// times: the commands, life-clock ticks with the clock moved on, a stage set from
// outside (at any count, even one near the top).
Session randomSession(unsigned seed) {
    std::mt19937 rng(seed);
    const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    FakeClock created;
    created.advanceHours(-pick(0, 10));
    const LocalDateTime c = created.now();
    Session s{{{Key::Stade, std::string(kStades[pick(0, 10)])},
               {Key::Faim, std::to_string(pick(-400, 1200))},
               {Key::Caca, std::to_string(pick(0, 3))},
               {Key::CacaFait, pick(0, 1) ? "Oui" : "Non"},
               {Key::DateNourrit, std::to_string(hourStamp(FakeClock().now()) - pick(0, 3))},
               {Key::Jour, std::to_string(c.day)},
               {Key::Mois, std::to_string(c.month)},
               {Key::Annee, std::to_string(c.year)},
               {Key::Heure, std::to_string(c.hour)}},
              {{0, "startUp", [](Game& g, FakeClock&) { startUp(g); }}},
              pick(0, 40000)};
    using Command = void (*)(Game&);
    const std::pair<const char*, Command> commands[] = {{"lait", lait},   {"viande", viande},
                                                        {"laver", laver}, {"vet", veterinaire},
                                                        {"stats", stats}, {"reset", reinitialiserPartie}};
    for (int n = pick(0, 12); n > 0; --n) {
        // Often soon after the one before (a bath in a meal's wake, a life-clock tick in a
        // bath), sometimes at the very same time.
        const int64_t ms = pick(0, 2) == 0 ? std::min(s.endMs, s.events.back().ms + pick(0, 1) * pick(0, 3000))
                                           : pick(0, int(s.endMs));
        const int kind = pick(0, 7);
        if (kind < 6) {
            const auto [name, command] = commands[kind];
            s.events.push_back({ms, name, [command](Game& g, FakeClock&) { command(g); }});
        } else if (kind == 6) {
            const int minutes = pick(0, 2) == 0 ? pick(60, 300) : pick(0, 30);
            s.events.push_back({ms, "life " + std::to_string(minutes), [minutes](Game& g, FakeClock& clock) {
                                    clock.advanceMinutes(minutes);
                                    lifeClockTick(g);
                                }});
        } else {
            const std::string stade(kStades[pick(0, 10)]);
            const auto compteur = static_cast<int16_t>(pick(0, 3) == 0 ? pick(32700, 32767) : pick(0, 450));
            s.events.push_back(
                {ms, "stade " + stade + " " + std::to_string(compteur), [stade, compteur](Game& g, FakeClock&) {
                     g.pet.stade = stade;
                     g.pet.compteur = compteur;
                 }});
        }
    }
    std::stable_sort(s.events.begin(), s.events.end(), [](const Event& a, const Event& b) { return a.ms < b.ms; });
    return s;
}

// One play of a session: the pet, its ports, and what it did.
struct Play {
    explicit Play(const Session& s) {
        for (const auto& [key, value] : s.store) trace.put(key, value);
    }
    void handle(const Event& e) {
        trace.note(e.name + " at " + std::to_string(game.pet.compteur));
        e.run(game, clock);
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

TEST(SleepingLoop, AWakeUpLateByAnHourPlaysOneStepAndGoesOnFromThere) {
    Rig rig;
    enter(rig, stage::kPleure);
    anim::Timeline line(0);
    line.run(rig.game, 0, [](Game&) {});
    const struct {
        int64_t ms;
        bool timer;  // the timer's wake-up, or another handler
        int16_t compteur;
        int64_t due;
    } script[] = {
        {3600500, true, 50, 3601000},   // the first sob, an hour late; the cry 50 ticks on
        {3603000, false, 99, 3603000},  // a handler long after the cry's tick: the count stops before it
        {3603004, true, 0, 3603500},    // the cry, on time, and the next sob 50 ticks on
    };
    for (const auto& s : script) {
        const auto due = s.timer ? line.step(rig.game, s.ms) : line.run(rig.game, s.ms, [](Game&) {});
        EXPECT_EQ(rig.game.pet.compteur, s.compteur) << s.ms;
        EXPECT_EQ(due, s.due) << s.ms;
    }
    EXPECT_EQ(rig.pictures.loads.size(), 2u);
    EXPECT_EQ(rig.sound.plays.size(), 1u);
}

}  // namespace
}  // namespace gribo::test

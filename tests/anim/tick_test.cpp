#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "anim/anim_rig.h"
#include "state/stages.h"

namespace gribo::test {
namespace {

// Picture slots, sound and settings store in one log, each call noted with the stage,
// count and idle frame that the pet had at that moment.
class Probe : public PictureSlots, public Sound, public SettingsStore {
public:
    struct Event {
        std::string what, stade;
        int compteur, numimage;
        bool operator==(const Event&) const = default;
    };
    void load(Slot slot, std::string_view path) override {
        note("Image" + std::to_string(static_cast<int>(slot) + 1) + " " + std::string(path));
    }
    void playCry() override { note("cry"); }
    std::string read(std::string_view section, std::string_view key) override {
        return stored[std::string(section) + "/" + std::string(key)];
    }
    void write(std::string_view section, std::string_view key, std::string_view value) override {
        stored[std::string(section) + "/" + std::string(key)] = value;
        note(std::string(section) + "/" + std::string(key) + "=" + std::string(value));
    }
    std::vector<Event> events;
    std::map<std::string, std::string> stored;
    const PetState* pet = nullptr;

private:
    void note(std::string what) { events.push_back({std::move(what), pet->stade, pet->compteur, pet->numimage}); }
};

// The events of tick `n` of `stade`, for a fresh pet (numimage 0, faim 0).
std::vector<Probe::Event> eventsOfTick(std::string_view stade, int n) {
    Rig rig;
    Probe probe;
    Platform io{rig.clock, rig.random, probe, probe, rig.windows, probe};
    Game game(io);
    probe.pet = &game.pet;
    game.pet.stade = std::string(stade);
    for (int t = 1; t < n; ++t) animationTick(game);
    probe.events.clear();
    animationTick(game);
    return probe.events;
}

TEST(Tick, EffectsOfOneTickComeInTheirOrder) {
    const struct {
        std::string_view stade;
        int tick;
        std::vector<Probe::Event> events;
    } cases[] = {
        // The last egg frame, then the new stage saved with the count already back to 0.
        {stage::kEclosion,
         170,
         {{"Image2 \\datas\\gribo\\oeufbleuF11.gif", "Eclosion", 170, 0},
          {"stade/stade=nourrisson", "nourrisson", 0, 0}}},
        // The first idle frame is shown before 8 is kept.
        {stage::kNourrisson, 1, {{"Image2 \\datas\\gribo\\nourrissonF9.gif", "nourrisson", 1, 0}}},
        // Back to rest, then hunger saved, then the hour of the meal.
        {stage::kMilk,
         240,
         {{"stats/faim=-100", "nourrisson", 0, 8}, {"datestats/datenourrit=17324793", "nourrisson", 0, 8}}},
        // The droppings count, then the droppings slot, the baby, the bathroom.
        {stage::kBain,
         50,
         {{"Image4 \\datas\\vide.gif", "nourrissonbain", 50, 0},
          {"Image2 \\datas\\gribo\\nourrissonbainF1.gif", "nourrissonbain", 50, 0},
          {"Image1 \\datas\\fondsdb.bmp", "nourrissonbain", 50, 0}}},
        // The last bath frame, the hand-back, then the room.
        {stage::kBain,
         300,
         {{"Image2 \\datas\\gribo\\nourrissonbainF6.gif", "nourrissonbain", 300, 0},
          {"Image1 \\datas\\fond.bmp", "nourrisson", 0, 0}}},
        // The second crying frame, the cry, then the count restarts.
        {stage::kPleure,
         100,
         {{"Image2 \\datas\\gribo\\nourrissonpleureF2.gif", "nourrissonpleure", 100, 0},
          {"cry", "nourrissonpleure", 100, 0}}},
    };
    for (const auto& c : cases) EXPECT_EQ(eventsOfTick(c.stade, c.tick), c.events) << c.stade << " tick " << c.tick;
}

TEST(Tick, AStageNoTableKnowsShowsNothingAndOnlyCounts) {
    for (const char* stade : {"", "Adulte", "Nourrisson", "nourrisson ", "oeuf1", "nourrissonMilk"}) {
        Rig rig;
        enter(rig, stade);
        rig.game.pet.caca = 2;
        run(rig, 1000);
        EXPECT_EQ(rig.game.pet.compteur, 1000) << '"' << stade << '"';
        EXPECT_EQ(rig.game.pet.caca, 2) << '"' << stade << '"';
        EXPECT_TRUE(rig.pictures.loads.empty() && rig.store.log.empty() && rig.sound.plays.empty())
            << '"' << stade << '"';
        EXPECT_EQ(rig.random.reseeds, 0) << '"' << stade << '"';
    }
}

TEST(Tick, CountIsHeldAtItsTopInsteadOfWrapping) {
    Rig rig;
    enter(rig, "Adulte", 32764);
    std::vector<int16_t> counts;
    for (int t = 0; t < 6; ++t) {
        run(rig, 1);
        counts.push_back(rig.game.pet.compteur);
    }
    EXPECT_EQ(counts, (std::vector<int16_t>{32765, 32766, 32767, 32767, 32767, 32767}));
}

}  // namespace
}  // namespace gribo::test

#include "foresight/rehearsal.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "anim/animation.h"
#include "anim/planner.h"
#include "care/commands.h"
#include "life/life_clock.h"
#include "rules/startup.h"
#include "state/messages.h"
#include "state/stages.h"
#include "state/values.h"

namespace gribo::foresight {
namespace {

std::optional<Key> keyNamed(std::string_view section, std::string_view key) {
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        if (kKeyNames[i].section == section && kKeyNames[i].key == key) return static_cast<Key>(i);
    }
    return std::nullopt;
}

// Bounds on one turn of care, far above what a meal or a hatching takes: a stage that
// never ends stops the turn instead of the program.
constexpr int kMaxSteps = 1000;
constexpr int kMaxMeals = 400;

// The life clock's first tick comes 20 s after start-up, the animation ticking every
// 10 ms meanwhile: a hatching stored when the game was closed during it ends before.
constexpr int64_t kTicksBeforeFirstLifeClockTick = 20000 / 10;

}  // namespace

std::string MemorySettings::read(std::string_view section, std::string_view key) {
    if (const auto k = keyNamed(section, key)) return pet_[*k];
    const auto it = others_.find({std::string(section), std::string(key)});
    return it == others_.end() ? std::string() : it->second;
}

void MemorySettings::write(std::string_view section, std::string_view key, std::string_view value) {
    if (const auto k = keyNamed(section, key)) {
        pet_[*k].assign(value);
    } else {
        others_[{std::string(section), std::string(key)}] = std::string(value);
    }
}

void NoticeRecorder::show(Window window, std::string_view text) {
    if (window != Window::DeathNotice) return;
    if (text == message::kStarvation) starvation = true;
    if (text == message::kEggDeath) eggDeath = true;
}

Sight Rehearsal::open(const LocalDateTime& at) {
    clock_.set(at);
    const std::string stored = settings_.pet()[Key::Stade];
    startUp(game_);
    // A first run is the one start-up that stores a stage.
    laidANewEgg_ = settings_.pet()[Key::Stade] != stored;
    playTicks(kTicksBeforeFirstLifeClockTick);
    return tickNow();
}

// The animation as the running game plays it over `ticks` ticks of 10 ms: the quiet
// ticks counted at once, each step played as its tick.
void Rehearsal::playTicks(int64_t ticks) {
    while (ticks > 0) {
        const std::optional<int32_t> next = ticksToNextStep(game_.pet.stade, game_.pet.compteur);
        if (!next || *next > ticks) {
            countQuietTicks(game_.pet, ticks);
            return;
        }
        countQuietTicks(game_.pet, *next - 1);
        animationTick(game_);
        ticks -= *next;
    }
}

Sight Rehearsal::tick(const LocalDateTime& at) {
    clock_.set(at);
    return tickNow();
}

Sight Rehearsal::tickNow() {
    notices_.clear();
    lifeClockTick(game_);
    const std::string& stade = game_.pet.stade;
    return {stade == stage::kPleure, stade == stage::kMalade, notices_.starvation, notices_.eggDeath};
}

// The animation as the running game plays it: the quiet ticks counted at once, each
// step played as its tick.
void Rehearsal::playToItsEnd(std::string_view activity) {
    for (int i = 0; i < kMaxSteps && game_.pet.stade == activity; ++i) {
        const std::optional<int32_t> ticks = ticksToNextStep(game_.pet.stade, game_.pet.compteur);
        if (!ticks) return;
        countQuietTicks(game_.pet, *ticks - 1);
        animationTick(game_);
    }
}

void Rehearsal::care() {
    playToItsEnd(stage::kEclosion);
    if (game_.pet.stade == stage::kMalade) veterinaire(game_);
    for (int meal = 0; meal < kMaxMeals && game_.pet.faim > 0; ++meal) {
        lait(game_);
        if (game_.pet.stade != stage::kMilk) return;  // no milk in this stage
        playToItsEnd(stage::kMilk);
    }
}

std::string Rehearsal::state() const {
    std::string s;
    for (const std::string& text : settings_.pet().texts) {
        s += text;
        s += '\0';
    }
    const PetState& p = game_.pet;
    s += p.stade;
    s += '\0';
    s += p.cacafait;
    for (const int64_t v : {int64_t{p.compteur}, int64_t{p.moisdemarrage}, int64_t{p.numimage}, int64_t{p.faim},
                            int64_t{p.caca}, int64_t{p.datenourrit}}) {
        s += '\0';
        s += numberText(v).view();
    }
    return s;
}

}  // namespace gribo::foresight

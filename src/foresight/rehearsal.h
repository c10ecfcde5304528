#pragma once

// The game itself, run aside on a copy of the stored pet: its own start-up, life clock,
// animation and commands, on ports that keep everything in memory. What a rehearsal
// shows is what the player would see, because it is the same code that shows it.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "foresight/stored_pet.h"
#include "state/game.h"

namespace gribo::foresight {

// A settings store in memory, filled from a stored pet. Reads and writes the ten keys
// like the real store; a value under any other name reads back as written.
class MemorySettings final : public SettingsStore {
public:
    explicit MemorySettings(const StoredPet& pet) : pet_(pet) {}
    std::string read(std::string_view section, std::string_view key) override;
    void write(std::string_view section, std::string_view key, std::string_view value) override;
    // The ten values as they are now.
    const StoredPet& pet() const { return pet_; }

private:
    StoredPet pet_;
    std::map<std::pair<std::string, std::string>, std::string> others_;
};

// A clock that says what it is set to.
class SetClock final : public Clock {
public:
    LocalDateTime now() const override { return now_; }
    void set(const LocalDateTime& t) { now_ = t; }

private:
    LocalDateTime now_;
};

// Always the same draw: the idle walk's frames play no part in what the pet needs.
class SteadyRandom final : public Random {
public:
    void reseed() override {}
    double next() override { return 0.0; }
};

class NoPictures final : public PictureSlots {
public:
    void load(Slot, std::string_view) override {}
};

class NoSound final : public Sound {
public:
    void playCry() override {}
};

// Remembers which death notices were shown since it was last cleared.
class NoticeRecorder final : public Windows {
public:
    void show(Window window, std::string_view text) override;
    void clear() { starvation = eggDeath = false; }
    bool starvation = false;
    bool eggDeath = false;
};

// What the game showed after a tick of its life clock.
struct Sight {
    bool crying = false;      // the tick left the baby crying
    bool sick = false;        // the tick left the baby sick
    bool starvation = false;  // the starvation notice came
    bool eggDeath = false;    // the egg's death notice came
    bool deathNotice() const { return starvation || eggDeath; }
    bool operator==(const Sight&) const = default;
};

class Rehearsal {
public:
    explicit Rehearsal(const StoredPet& pet) : settings_(pet) {}
    Rehearsal(const Rehearsal&) = delete;
    Rehearsal& operator=(const Rehearsal&) = delete;

    // Opens the game at `at`: start-up, the animation of the next 20 s (a stored
    // hatching plays to its end), then the life clock's first tick, which comes then. At the start of an hour that tick
    // falls in the same hour, and the rules read only the hour, so the sight holds for opening at any time until 20 s
    // before the hour ends. REQUIRES: called once, first.
    Sight open(const LocalDateTime& at);
    // The life clock's first tick in the hour of `at`, the game having stayed open.
    Sight tick(const LocalDateTime& at);
    // The best a player can do before the next tick, through the game's own commands:
    // a hatching is watched to its end, a sick baby taken to the vet, and a hungry one
    // given milk, meal after meal, each played to its end, until it is hungry no more.
    void care();

    // Whether start-up found no pet and laid a new egg.
    bool laidANewEgg() const { return laidANewEgg_; }
    const PetState& pet() const { return game_.pet; }
    const StoredPet& stored() const { return settings_.pet(); }
    // The whole state a later tick depends on (the stored texts and the pet in memory),
    // as one text: two rehearsals with the same state go on alike.
    std::string state() const;

private:
    Sight tickNow();
    void playTicks(int64_t ticks);
    void playToItsEnd(std::string_view activity);

    MemorySettings settings_;
    SetClock clock_;
    SteadyRandom random_;
    NoPictures pictures_;
    NoticeRecorder notices_;
    NoSound sound_;
    Platform platform_{clock_, random_, settings_, pictures_, notices_, sound_};
    Game game_{platform_};
    bool laidANewEgg_ = false;
};

}  // namespace gribo::foresight

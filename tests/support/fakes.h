#pragma once

// Fakes of the game's ports, and a rig that wires them to a Game.

#include <chrono>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "state/game.h"
#include "state/store_keys.h"

namespace gribo::test {

// A settable, steppable local clock that walks the real Gregorian calendar.
class FakeClock : public Clock {
public:
    FakeClock() = default;
    explicit FakeClock(LocalDateTime t) : now_(t) {}
    LocalDateTime now() const override { return now_; }
    void set(LocalDateTime t) { now_ = t; }
    void set(int year, int month, int day, int hour, int minute = 0) { now_ = {year, month, day, hour, minute}; }
    void advanceMinutes(long minutes);
    void advanceHours(long hours) { advanceMinutes(hours * 60); }

private:
    LocalDateTime now_{2006, 3, 7, 9, 5};
};

// A monotonic clock that moves only when told to.
class FakeSteadyClock {
public:
    using time_point = std::chrono::steady_clock::time_point;
    time_point now() const { return now_; }
    void advance(std::chrono::milliseconds by) { now_ += by; }
    // What reads it: a function returning now().
    auto reader() const {
        return [this] { return now_; };
    }

private:
    time_point now_{std::chrono::hours(1)};
};

// Draws from a script, then repeats its last value; counts reseeds.
class ScriptedRandom : public Random {
public:
    void reseed() override { ++reseeds; }
    double next() override;
    void script(std::vector<double> values) {
        values_ = std::move(values);
        pos_ = 0;
    }
    int reseeds = 0;

private:
    std::vector<double> values_{0.0};
    std::size_t pos_ = 0;
};

// An in-memory store with a log of every write.
class MemoryStore : public SettingsStore {
public:
    struct Write {
        std::string section, key, value;
        bool operator==(const Write&) const = default;
    };
    std::string read(std::string_view section, std::string_view key) override;
    void write(std::string_view section, std::string_view key, std::string_view value) override;

    void keepCopy() override { copies.push_back(log.size()); }

    std::string get(Key k) const;
    void put(Key k, std::string_view value);  // set without logging
    bool has(Key k) const;
    void clearLog() { log.clear(); }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<Write> log;
    std::vector<std::size_t> copies;  // how many writes came before each copy
};

// The ten values a first run at `t` stores, in the order it writes them.
std::vector<MemoryStore::Write> firstRunWrites(const LocalDateTime& t);

// Records every picture load, stamped with the caller's current tick.
class PictureRecorder : public PictureSlots {
public:
    struct Load {
        int tick;
        Slot slot;
        std::string path;
        bool operator==(const Load&) const = default;
    };
    void load(Slot slot, std::string_view path) override { loads.push_back({tick, slot, std::string(path)}); }
    std::vector<Load> loads;
    int tick = 0;
};

class WindowRecorder : public Windows {
public:
    struct Shown {
        Window window;
        std::string text;
        bool operator==(const Shown&) const = default;
    };
    void show(Window window, std::string_view text) override { shown.push_back({window, std::string(text)}); }
    std::vector<Shown> shown;
};

class SoundCounter : public Sound {
public:
    void playCry() override { plays.push_back(tick); }
    std::vector<int> plays;  // the tick of each cry
    int tick = 0;
};

// All fakes and a Game on them.
struct Rig {
    FakeClock clock;
    ScriptedRandom random;
    MemoryStore store;
    PictureRecorder pictures;
    WindowRecorder windows;
    SoundCounter sound;
    Platform platform{clock, random, store, pictures, windows, sound};
    Game game{platform};

    // Sets the tick stamp of the recorders.
    void stamp(int tick) {
        pictures.tick = tick;
        sound.tick = tick;
    }
};

}  // namespace gribo::test

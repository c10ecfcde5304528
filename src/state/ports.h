#pragma once

// The only ways the game touches the world. Each has one Qt adapter in the shell and
// one fake for the tests. All calls happen on the GUI thread, one handler at a time.

#include <string>
#include <string_view>

#include "state/hour_stamp.h"

namespace gribo {

class Clock {
public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;
    virtual ~Clock() = default;
    // The local date and time now. Never fails.
    virtual LocalDateTime now() const = 0;
};

class Random {
public:
    Random() = default;
    Random(const Random&) = delete;
    Random& operator=(const Random&) = delete;
    virtual ~Random() = default;
    // Reseeds the generator from the system clock.
    virtual void reseed() = 0;
    // A uniform draw in [0, 1).
    virtual double next() = 0;
};

// The per-user settings store: string values addressed by section and key.
class SettingsStore {
public:
    SettingsStore() = default;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    virtual ~SettingsStore() = default;
    // The stored text; an absent key reads as the empty string. A value the store
    // keeps in another form (a list, say) reads as its text.
    virtual std::string read(std::string_view section, std::string_view key) = 0;
    // Creates or replaces one value. It reads back at once, and reaches the disk before
    // control goes back to the event loop: the shell saves after every handler. A disk
    // that refuses it is the shell's to report; the game plays on from memory.
    virtual void write(std::string_view section, std::string_view key, std::string_view value) = 0;
    // Keeps a copy of the whole store as it is now, aside where the player can find it,
    // before the game writes a new pet over it. At most one copy of each version of the
    // store; a store that cannot keep copies keeps none.
    virtual void keepCopy() {}
};

enum class Slot { Image1, Image2, Image3, Image4 };  // background, pet, sky, droppings

class PictureSlots {
public:
    PictureSlots() = default;
    PictureSlots(const PictureSlots&) = delete;
    PictureSlots& operator=(const PictureSlots&) = delete;
    virtual ~PictureSlots() = default;
    // Shows the picture at `path` (relative, "\datas\..." with backslashes) in `slot`,
    // reading the file again. A file that cannot be read leaves the slot empty.
    virtual void load(Slot slot, std::string_view path) = 0;
};

enum class Window { Stats, DeathNotice, Vet };  // Form2, Form3, Form4

class Windows {
public:
    Windows() = default;
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;
    virtual ~Windows() = default;
    // Shows the window modeless (or brings it forward), then sets its label's text.
    // Line breaks in `text` are "\r\n".
    virtual void show(Window window, std::string_view text) = 0;
};

class Sound {
public:
    Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    virtual ~Sound() = default;
    // Starts the crying sound from its beginning and returns at once. Silent on failure.
    virtual void playCry() = 0;
};

struct Platform {
    Clock& clock;
    Random& random;
    SettingsStore& settings;
    PictureSlots& pictures;
    Windows& windows;
    Sound& sound;
};

}  // namespace gribo

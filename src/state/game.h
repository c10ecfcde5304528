#pragma once

#include <cstdint>

#include "state/pet_state.h"
#include "state/ports.h"
#include "state/store.h"

namespace gribo {

// Everything a handler works on: the pet in memory, its store, and the world.
struct Game {
    explicit Game(Platform& platform) : io(platform), store(platform.settings) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Platform& io;
    Store store;
    PetState pet;
};

// The hour stamp of the clock's current local time.
inline int32_t currentHourStamp(const Clock& clock) { return hourStamp(clock.now()); }

}  // namespace gribo

#pragma once

// A copy of the stored pet: the ten texts as the store holds them, taken once, so the
// game can be run ahead on it while the real store stays untouched.

#include <array>
#include <cstddef>
#include <string>

#include "state/ports.h"
#include "state/store_keys.h"

namespace gribo::foresight {

struct StoredPet {
    std::array<std::string, kKeyCount> texts;  // by Key; a key the store lacks is empty

    std::string& operator[](Key k) { return texts[static_cast<std::size_t>(k)]; }
    const std::string& operator[](Key k) const { return texts[static_cast<std::size_t>(k)]; }

    // Reads the ten keys of `store`, and nothing else. Writes nothing.
    static StoredPet readFrom(SettingsStore& store);

    bool operator==(const StoredPet&) const = default;
};

}  // namespace gribo::foresight

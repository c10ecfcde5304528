#pragma once

// A hatched baby as the store holds it, for the tests and the bench: the C++ twin of
// store_fixture.py, which lays out the same store for the scripts.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "state/stages.h"
#include "state/store_keys.h"

namespace gribo::test {

struct StoredBaby {
    int faim = 0;
    int caca = 0;
    std::string_view cacafait = flag::kOui;
    int32_t fedStamp = 0;  // the hour stamp hunger was last counted at
    std::string_view stade = stage::kNourrisson;
};

// The store's values for `baby`, key by key.
inline std::vector<std::pair<Key, std::string>> storedValues(const StoredBaby& baby) {
    return {{Key::Stade, std::string(baby.stade)},
            {Key::Faim, std::to_string(baby.faim)},
            {Key::Caca, std::to_string(baby.caca)},
            {Key::CacaFait, std::string(baby.cacafait)},
            {Key::DateNourrit, std::to_string(baby.fedStamp)}};
}

// "section/key", as QSettings and the shell's tests name a value.
inline std::string pathOf(Key k) { return std::string(nameOf(k).section) + "/" + std::string(nameOf(k).key); }

}  // namespace gribo::test

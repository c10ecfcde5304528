#pragma once

// A rig for the life clock: the fakes, plus short ways to lay out a stored egg or
// baby and to read back what a tick left.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "life/life_clock.h"
#include "state/hour_stamp.h"
#include "state/stages.h"
#include "support/fakes.h"
#include "support/store_fixture.h"

namespace gribo::test {

inline int32_t stampOf(int year, int month, int day, int hour) { return hourStamp({year, month, day, hour, 0}); }

struct LifeRig : Rig {
    LifeRig() { clock.set(2024, 6, 10, 15, 10); }

    // An egg created at the given local time, as a first run stores it.
    void egg(std::string_view stade, int year, int month, int day, int hour, int minute = 0) {
        store.put(Key::Jour, std::to_string(day));
        store.put(Key::Mois, std::to_string(month));
        store.put(Key::Annee, std::to_string(year));
        store.put(Key::Heure, std::to_string(hour));
        store.put(Key::Min, std::to_string(minute));
        store.put(Key::DateNourrit, std::to_string(stampOf(year, month, day, hour)));
        store.put(Key::Stade, stade);
        store.put(Key::Faim, "0");
        store.put(Key::Caca, "0");
        store.put(Key::CacaFait, "Oui");
        game.pet.stade = stade;
        game.pet.cacafait = "Oui";
    }

    // A hatched pet in `stade`, last fed at `fedStamp`, with the same values in memory
    // and in the store (the stored stage stays the resting one).
    void baby(std::string_view stade, int faim, int32_t fedStamp, int caca = 0, std::string_view cacafait = "Oui") {
        egg(stage::kNourrisson, 2024, 1, 1, 0);
        for (const auto& [key, value] : storedValues({faim, caca, cacafait, fedStamp})) store.put(key, value);
        game.pet.stade = stade;
        game.pet.faim = static_cast<int16_t>(faim);
        game.pet.caca = static_cast<int16_t>(caca);
        game.pet.cacafait = cacafait;
    }

    int32_t now() const { return hourStamp(clock.now()); }

    void tick() { lifeClockTick(game); }

    std::vector<std::string> shownTexts() const {
        std::vector<std::string> out;
        for (const auto& s : windows.shown) {
            EXPECT_EQ(s.window, Window::DeathNotice);
            out.push_back(s.text);
        }
        return out;
    }

    std::vector<std::string> image4() const {
        std::vector<std::string> out;
        for (const auto& l : pictures.loads) {
            if (l.slot == Slot::Image4) out.push_back(l.path);
        }
        return out;
    }
};

}  // namespace gribo::test

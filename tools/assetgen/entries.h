#pragma once

// What the generator knows of each file of the asset folder: the family it is drawn
// as and the format it is written in. The game itself only knows the names.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "assets/catalogue.h"

namespace gribo::art {

enum class Format { Bmp, Gif, Wav };

enum class Family {
    Background,
    BathBackground,
    Blank,
    Sky,
    Egg,
    Idle,
    Meat,
    Milk,
    Sick,
    Bath,
    Crying,
    Droppings,
    CrySound
};

struct Entry {
    std::string_view path;
    Family family;
    Format format;
};

namespace detail {

// Built at compile time: one entry more or fewer than the game's files, or an entry
// out of the game's order, is not a constant and fails the build.
constexpr auto buildEntries() {
    std::array<Entry, asset::kAllFiles.size()> out{};
    std::size_t i = 0;
    auto add = [&out, &i](std::string_view path, Family family, Format format) {
        if (i >= out.size() || asset::kAllFiles[i] != path) throw "the generator's entries follow the catalogue";
        out[i++] = {path, family, format};
    };
    auto addAll = [&add](const auto& paths, Family family) {
        for (std::string_view p : paths) add(p, family, Format::Gif);
    };
    add(asset::kFond, Family::Background, Format::Bmp);
    add(asset::kFondSdb, Family::BathBackground, Format::Bmp);
    add(asset::kVide, Family::Blank, Format::Gif);
    addAll(asset::kSkies, Family::Sky);
    addAll(asset::kOeuf, Family::Egg);
    addAll(asset::kNourrisson, Family::Idle);
    addAll(asset::kViande, Family::Meat);
    addAll(asset::kMilk, Family::Milk);
    add(asset::kMalade, Family::Sick, Format::Gif);
    addAll(asset::kBain, Family::Bath);
    addAll(asset::kPleure, Family::Crying);
    addAll(asset::kCrotte, Family::Droppings);
    add(asset::kPleureWav, Family::CrySound, Format::Wav);
    if (i != out.size()) throw "every file of the catalogue has an entry";
    return out;
}

}  // namespace detail

inline constexpr auto kEntries = detail::buildEntries();

}  // namespace gribo::art

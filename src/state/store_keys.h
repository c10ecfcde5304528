#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace gribo {

// The ten values the pet keeps between runs, each addressed by section and key.
enum class Key : std::size_t {
    Jour,
    Mois,
    Annee,
    Heure,
    Min,
    DateNourrit,
    Stade,
    Faim,
    Caca,
    CacaFait,
};

inline constexpr std::size_t kKeyCount = 10;

struct KeyName {
    std::string_view section;
    std::string_view key;
};

// Indexed by Key. "année" is UTF-8 here and in the settings file.
inline constexpr std::array<KeyName, kKeyCount> kKeyNames = {{
    {"datecreation", "jour"},
    {"datecreation", "mois"},
    {"datecreation", "année"},
    {"datecreation", "heure"},
    {"datecreation", "min"},
    {"datestats", "datenourrit"},
    {"stade", "stade"},
    {"stats", "faim"},
    {"stats", "caca"},
    {"stats", "cacafait"},
}};

constexpr const KeyName& nameOf(Key k) { return kKeyNames[static_cast<std::size_t>(k)]; }

}  // namespace gribo

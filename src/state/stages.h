#pragma once

#include <string_view>

namespace gribo::stage {

// Life stages: written to the store when they change.
inline constexpr std::string_view kOeuf1 = "Oeuf1";
inline constexpr std::string_view kOeuf2 = "Oeuf2";
inline constexpr std::string_view kEclosion = "Eclosion";
inline constexpr std::string_view kNourrisson = "nourrisson";

// Activities: live in memory only, a restart resumes at the stored life stage.
inline constexpr std::string_view kPleure = "nourrissonpleure";
inline constexpr std::string_view kMalade = "nourrissonmalade";
inline constexpr std::string_view kMilk = "nourrissonmilk";
inline constexpr std::string_view kViande = "nourrissonviande";
inline constexpr std::string_view kBain = "nourrissonbain";

}  // namespace gribo::stage

namespace gribo::flag {
inline constexpr std::string_view kOui = "Oui";
inline constexpr std::string_view kNon = "Non";
}  // namespace gribo::flag

#pragma once

// What each reminder tells the player, in the game's voice: a title, a body that says
// what to do, and how urgent it is. Plain UTF-8.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace gribo::foresight {

enum class Tell : uint8_t {
    Crying,      // the baby cries
    Sickness,    // the baby is sick
    Starvation,  // the starvation notice
    EggDeath,    // the egg's death notice
    StarvationLastCall,
    EggDeathLastCall,
    StarvationCannotBeSaved,  // no opening comes in time any more
    EggDeathCannotBeSaved,
};
inline constexpr std::size_t kTellCount = 8;

enum class Urgency : uint8_t { Normal, Critical };

struct ReminderText {
    Tell what;
    Urgency urgency;
    std::string_view title;
    std::string_view body;
};

// Indexed by Tell.
inline constexpr std::array<ReminderText, kTellCount> kReminderTexts = {{
    {Tell::Crying, Urgency::Normal, "Gribo a faim", "Il pleure : donnez-lui du lait."},
    {Tell::Sickness, Urgency::Normal, "Gribo est malade", "Il a bu trop de lait : emmenez-le chez le vétérinaire."},
    {Tell::Starvation, Urgency::Normal, "Gribo est mort de faim",
     "Il n'a pas été nourri à temps. Ouvrez le jeu et donnez-lui du lait."},
    {Tell::EggDeath, Urgency::Normal, "Gribo est mort à sa naissance",
     "Son œuf est resté seul trop longtemps. Ouvrez le jeu : le nourrisson a tout de même besoin de vous."},
    {Tell::StarvationLastCall, Urgency::Critical, "Dernier appel : Gribo meurt de faim",
     "Ouvrez vite le jeu et donnez-lui du lait : dans moins d'une heure, il sera trop tard."},
    {Tell::EggDeathLastCall, Urgency::Critical, "Dernier appel : l'œuf de Gribo",
     "Ouvrez vite le jeu pour qu'il éclose : dans moins d'une heure, il sera trop tard."},
    {Tell::StarvationCannotBeSaved, Urgency::Critical, "Gribo ne pourra pas être sauvé",
     "Même bien nourri, il mourra bientôt de faim. Ouvrez le jeu et nourrissez-le malgré tout."},
    {Tell::EggDeathCannotBeSaved, Urgency::Critical, "L'œuf de Gribo ne pourra pas être sauvé",
     "Quoi que vous fassiez, il n'éclora pas à temps. Ouvrez le jeu : le nourrisson aura tout de même besoin "
     "de vous."},
}};

constexpr const ReminderText& textOf(Tell what) { return kReminderTexts[static_cast<std::size_t>(what)]; }

constexpr bool indexedByTell() {
    for (std::size_t i = 0; i < kTellCount; ++i)
        if (static_cast<std::size_t>(kReminderTexts[i].what) != i) return false;
    return true;
}
static_assert(indexedByTell(), "one row per reminder, in the order of Tell");

}  // namespace gribo::foresight

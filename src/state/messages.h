#pragma once

// What the game says to the player, word for word. Line breaks are "\r\n".

#include <string_view>

namespace gribo::message {

// Death notices (Form3).
inline constexpr std::string_view kEggDeath =
    "Triste nouvelle, Gribo  est mort, faute d'avoir recu des soins adapt\xc3\xa9s lors de sa naissance.";
inline constexpr std::string_view kStarvation =
    "Triste nouvelle, Gribo est mort. Pensez \xc3\xa0 le nourir : ce n'est pas parceque sa fenetre est ferm\xc3\xa9"
    "e "
    "que votre animal n'a pas faim !";

// The vet's answers (Form4).
inline constexpr std::string_view kVetDroppings =
    "\r\nQu'est ce que c'est que \xc3\xa7"
    "a ?\r\nSi vous ne nettoyez pas, votre animal a de FORTES CHANCES de tomber "
    "malade, voir de mourir.";
inline constexpr std::string_view kVetOeuf1 =
    "\r\nAucune inquietude \xc3\xa0 avoir. Cet oeuf me semble parfaitement normal.";
inline constexpr std::string_view kVetOeuf2 =
    "\r\nLorsque la vitesse de battement d'un oeuf s'accelere, l'\xc3\xa9"
    "closion est proche. Ne la ratez pas !";
inline constexpr std::string_view kVetHealthy =
    "Ce nourrisson m'a l'air en parfaite sant\xc3\xa9. Occupez vous bien de lui !";
inline constexpr std::string_view kVetOverfed =
    "Vous nourrissez trop ce b\xc3\xa9"
    "b\xc3\xa9 !\r\nFaites plus attention \xc3\xa0 l'avenir.";

}  // namespace gribo::message

#pragma once

// What the game says to the player, word for word. Line breaks are "\r\n".

#include <string_view>

namespace gribo::message {

// Death notices (Form3).
inline constexpr std::string_view kEggDeath =
    "Triste nouvelle, Gribo  est mort, faute d'avoir recu des soins adaptés lors de sa naissance.";
inline constexpr std::string_view kStarvation =
    "Triste nouvelle, Gribo est mort. Pensez à le nourir : ce n'est pas parceque sa fenetre est fermée "
    "que votre animal n'a pas faim !";

// The vet's answers (Form4).
inline constexpr std::string_view kVetDroppings =
    "\r\nQu'est ce que c'est que ça ?\r\nSi vous ne nettoyez pas, votre animal a de FORTES CHANCES de tomber "
    "malade, voir de mourir.";
inline constexpr std::string_view kVetOeuf1 = "\r\nAucune inquietude à avoir. Cet oeuf me semble parfaitement normal.";
inline constexpr std::string_view kVetOeuf2 =
    "\r\nLorsque la vitesse de battement d'un oeuf s'accelere, l'éclosion est proche. Ne la ratez pas !";
inline constexpr std::string_view kVetHealthy = "Ce nourrisson m'a l'air en parfaite santé. Occupez vous bien de lui !";
inline constexpr std::string_view kVetOverfed = "Vous nourrissez trop ce bébé !\r\nFaites plus attention à l'avenir.";

}  // namespace gribo::message

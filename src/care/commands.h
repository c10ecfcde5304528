#pragma once

#include <string>

#include "state/game.h"

namespace gribo {

// Menu commands. A command whose stage does not allow it does nothing.
void lait(Game& game);
void viande(Game& game);
void laver(Game& game);
void veterinaire(Game& game);
void stats(Game& game);

// "Stade :<stade> Faim : <faim>\r\n Cacafait: <cacafait> caca:<caca>"
std::string statsText(const PetState& pet);

// Wipes the stored pet so that the next start is a first run. The running game keeps
// its pet in memory and on screen, and writes nothing more to the store.
void reinitialiserPartie(Game& game);

}  // namespace gribo

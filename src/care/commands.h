#pragma once

#include "state/game.h"

namespace gribo {

// Menu commands. A command whose stage does not allow it does nothing.
void lait(Game& game);
void viande(Game& game);
void laver(Game& game);
void veterinaire(Game& game);
void stats(Game& game);
void reinitialiserPartie(Game& game);

}  // namespace gribo

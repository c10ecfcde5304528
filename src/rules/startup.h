#pragma once

#include "state/game.h"

namespace gribo {

// The game's part of the main window's load: a first run (the stored stage is
// exactly empty) writes a new egg to the store; anything else reloads the stored
// pet. Then the room goes into Image1 and the sky of the hour into Image3.
// Reloading a sound store writes nothing.
void startUp(Game& game);

}  // namespace gribo

#pragma once

#include <QString>

namespace gribo::windows {

// Tells the player, in a window of its own that blocks nothing, that the pet cannot be
// saved at `file` and why; the game keeps trying.
void showStoreFailure(const QString& file, const QString& reason);
// Tells the player that the pet is saved again (and closes the failure's window).
void showStoreSavedAgain(const QString& file);
// Tells the player that the pet at `file` cannot be read, and why; the game will not
// start. Returns once the player has read it.
void showStoreUnreadable(const QString& file, const QString& reason);

}  // namespace gribo::windows

#pragma once

#include <QString>

namespace gribo::ui {

// Tells the player, in a window of its own that blocks nothing, that the pet cannot be
// saved at `file` and why: it lives on until the game is closed, and no longer.
void showStoreFailure(const QString& file, const QString& reason);

}  // namespace gribo::ui

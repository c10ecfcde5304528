#pragma once

#include <QString>

namespace gribo::store {

// Where the player's store lies: $XDG_CONFIG_HOME/Gribo/Gribo.conf (by default under
// ~/.config), the file QSettings(NativeFormat, UserScope, "Gribo", "Gribo") reads.
QString playerStoreFile();

}  // namespace gribo::store

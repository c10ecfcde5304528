#pragma once

// Where the player's store lies, under the per-user configuration folder
// ($XDG_CONFIG_HOME, by default ~/.config): the file QSettings(NativeFormat, UserScope,
// "Gribo", "Gribo") reads. The one place the game spells it.

#include <string_view>

namespace gribo {

inline constexpr std::string_view kStoreUnderConfig = "Gribo/Gribo.conf";

}  // namespace gribo

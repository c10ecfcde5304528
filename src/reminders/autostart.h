#pragma once

// The reminder service's XDG autostart entry, as the player's desktop reads it: the
// package's copy in /etc/xdg/autostart (or a user installation's in the player's own
// folder), and the player's copy of the same name in $XDG_CONFIG_HOME/autostart, which
// wins. A copy with Hidden=true keeps the desktop from starting the service: the same
// thing a desktop's "startup applications" settings write.

#include <QString>

namespace gribo::reminders {

// io.github.gribo.Gribo.Reminders.desktop
QString autostartEntryName();
// $XDG_CONFIG_HOME/autostart/<entry>, by default under ~/.config.
QString playerAutostartFile();

// Whether the player's copy of the entry says Hidden=true.
bool turnedOff();

// Writes the player's copy with Hidden=true: their own entry when there is one (a
// user installation), else the desktop's entry found in $XDG_CONFIG_DIRS, else a
// short entry of the same name. Returns what went wrong, empty when it is done.
QString turnOff();

}  // namespace gribo::reminders

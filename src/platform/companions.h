#pragma once

// The game and its reminder service, and how each finds the other: by their names on
// the session bus while they run, and by their places relative to the running
// executable, never by an absolute path built in.

#include <QString>

namespace gribo::platform {

// Owned by the game while its main window lives.
QString gameBusName();
// Owned by the reminder service while it runs: one service per session.
QString remindersBusName();

// The game's executable, seen from the reminder service: beside it (the build tree),
// else where an installation puts it relative to the service. Empty when none is there.
QString gameProgram();
// The reminder service, seen from the game: beside it, else in the installation's
// private folder. Empty when none is there.
QString remindersProgram();

// The game takes its name on the session bus (while its main window lives), and lets
// it go. Nothing without a session bus.
void announceGame();
void withdrawGame();

// From the game, once its main window has closed: starts the reminder service when it
// is installed and no service owns its name on the session bus. It is told that the
// player has just seen the pet. Nothing without a session bus.
void startRemindersUnlessRunning();

}  // namespace gribo::platform

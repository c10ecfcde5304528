#pragma once

// What the game asks of the Linux desktop through the environment, before Qt starts.
// Everything here is read by a library when it starts (Qt's X11 plugin, libpulse), so
// it is set once, first thing in main(). Settings the player made in the same
// variables win. On other systems nothing is set.

namespace gribo::platform {

// - QT_XCB_NO_MITSHM=1, unless already set: on X11 the scene goes to the server as a
//   plain image. It is a few kilobytes, and shared memory would cost a round trip to
//   the server, so one more wake-up of the GUI thread, for every picture the pet shows.
// - PULSE_PROP_OVERRIDE starts with the game's name and icon, so the desktop mixer
//   lists the cry as Gribo's and a player can lower or mute it there. libpulse (which
//   PipeWire's pulse server serves too) reads it when the first audio object opens its
//   connection; the override form is needed for the name, which Qt's audio backend sets
//   itself. Ours come first, so whatever the player set there wins.
// REQUIRES: no QApplication and no audio object exist yet.
void prepareEnvironment();

}  // namespace gribo::platform

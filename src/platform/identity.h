#pragma once

// Who the program is to the desktop: the application "Gribo" at the version of this
// build, belonging to the launcher io.github.gribo.Gribo.desktop (which also names its
// icon, and its application id on Wayland; on X11 its windows are of class "Gribo"),
// with Gribo's face as the icon of every window.
//
// The player's store does not depend on any of this: it is named on its own
// (Gribo/Gribo.conf) in state/store_location.h.

namespace gribo::platform {

// Names the application, its version and its launcher.
// REQUIRES: the QGuiApplication exists and no window has been created yet.
void setApplicationIdentity();

// Gives every window Gribo's face, at each size of the icon theme. Reading the eight
// icons takes a few milliseconds: the program does it once its window is on the screen.
// REQUIRES: the QGuiApplication exists.
void setWindowIcons();

}  // namespace gribo::platform

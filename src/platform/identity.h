#pragma once

// Who the program is to the desktop: the application "Gribo" at the version of this
// build, belonging to the launcher io.github.gribo.Gribo.desktop (which also names its
// icon, and its application id on Wayland; on X11 its windows are of class "Gribo"),
// with Gribo's face as the icon of every window.
//
// The player's store does not depend on any of this: it is named on its own
// (Gribo/Gribo.conf) in state/store_location.h.

namespace gribo::platform {

// REQUIRES: the QGuiApplication exists and no window has been created yet.
void setApplicationIdentity();

}  // namespace gribo::platform

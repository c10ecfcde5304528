#pragma once

// The game's command line. It only answers questions: --help and --version print
// their answer and end the program; anything else it does not know ends it with a
// short usage line. Qt's own options (-platform, -style, -session...) are left to
// the application. Nothing on the command line changes how the game starts.

#include <optional>

namespace gribo::platform {

// Reads argv (argv[0] is the program) before any window exists, so it also works
// without a display. Returns the exit status when the program must end now: 0 after
// printing the help or the version on stdout, 2 after printing what is wrong and the
// usage line on stderr. Returns nothing when the game should start.
std::optional<int> handleCommandLine(int argc, char** argv);

}  // namespace gribo::platform

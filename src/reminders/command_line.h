#pragma once

// The reminder service's command line: --help and --version answer and end the
// program, --after-game says that the game has just closed, anything else ends it
// with a short usage line.

#include <optional>

namespace gribo::reminders {

struct Arguments {
    bool afterGame = false;
};

// Returns the exit status when the program must end now (0 after the help or the
// version, 2 after what is wrong), else what the service is to do.
struct Parsed {
    std::optional<int> exitStatus;
    Arguments arguments;
};
Parsed handleCommandLine(int argc, char** argv);

}  // namespace gribo::reminders

#pragma once

// What the program does around its start so that the main window shows its first
// picture about as soon as a bare window would: work done ahead on a thread of its own
// while the application connects to the window system, and work left until the first
// picture is on the screen.

#include <QWindow>
#include <functional>
#include <thread>

namespace gribo::platform {

// Reads the system's font configuration (fontconfig) on a thread of its own, from its
// construction on: the first text the windows measure then finds it loaded.
class FontsAhead {
public:
    FontsAhead();
    ~FontsAhead() { ready(); }
    FontsAhead(const FontsAhead&) = delete;
    FontsAhead& operator=(const FontsAhead&) = delete;
    // Returns once the configuration is loaded. Call it before the first window is made.
    void ready();

private:
    std::thread reader_;
};

// Runs `then` on the GUI thread once `window` has been shown on the screen for the
// first time and drawn (its first expose handled), or never if it is never shown.
void afterFirstPicture(QWindow& window, std::function<void()> then);

}  // namespace gribo::platform

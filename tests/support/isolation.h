#pragma once

// What keeps every test program away from the player and the desktop: a settings
// folder of its own (XDG_CONFIG_HOME, removed when the program ends) and Qt's
// offscreen platform unless the test run names another. Both mains of the tests
// (test_main.cpp, core_app_main.cpp, windows/windows_main.cpp) begin with it; nothing else sets these.

#include <filesystem>

namespace gribo::test {

class Isolation {
public:
    Isolation();
    ~Isolation();
    Isolation(const Isolation&) = delete;
    Isolation& operator=(const Isolation&) = delete;

    const std::filesystem::path& config() const { return config_; }

private:
    std::filesystem::path config_;
};

}  // namespace gribo::test

#include "support/isolation.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace gribo::test {

Isolation::Isolation() {
    std::string pattern = (std::filesystem::temp_directory_path() / "gribo-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("gribo tests: cannot make a settings folder");
        std::exit(1);  // never fall back on the player's own folder
    }
    config_ = pattern;
    setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || *platform == '\0') setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

Isolation::~Isolation() {
    std::error_code ignored;
    std::filesystem::remove_all(config_, ignored);
}

}  // namespace gribo::test

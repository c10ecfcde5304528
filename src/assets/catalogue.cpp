#include "assets/catalogue.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace gribo::asset {

std::string_view idleFrame(int n) { return kNourrisson[static_cast<std::size_t>(std::clamp(n, 1, 13) - 1)]; }

std::string_view droppings(int count) { return kCrotte[static_cast<std::size_t>(std::clamp(count, 1, 5) - 1)]; }

int droppingPiles(std::string_view picture) {
    const auto* found = std::find(kCrotte.begin(), kCrotte.end(), picture);
    return found == kCrotte.end() ? 0 : static_cast<int>(found - kCrotte.begin()) + 1;
}

std::string toRelativeFile(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        const char sep = c == '\\' ? '/' : c;
        if (sep == '/' && (out.empty() || out.back() == '/')) continue;  // leading or doubled separator
        out.push_back(sep);
    }
    return out;
}

}  // namespace gribo::asset

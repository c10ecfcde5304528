#include "assets/catalogue.h"

#include <algorithm>

namespace gribo::asset {
namespace {

template <std::size_t N>
void addFrames(std::array<Entry, 62>& out, std::size_t& i, const std::array<std::string_view, N>& frames, Family f) {
    for (std::string_view p : frames) out[i++] = {p, f, Format::Gif, true, Slot::Image2};
}

std::array<Entry, 62> build() {
    std::array<Entry, 62> out{};
    std::size_t i = 0;
    out[i++] = {kFond, Family::Background, Format::Bmp, true, Slot::Image1};
    out[i++] = {kFondSdb, Family::BathBackground, Format::Bmp, true, Slot::Image1};
    out[i++] = {kVide, Family::Blank, Format::Gif, true, Slot::Image4};
    for (std::string_view p : {kCielNuit, kCielAube, kCiel, kCielSoir})
        out[i++] = {p, Family::Sky, Format::Gif, true, Slot::Image3};
    addFrames(out, i, kOeuf, Family::Egg);
    addFrames(out, i, kNourrisson, Family::Idle);
    addFrames(out, i, kViande, Family::Meat);
    addFrames(out, i, kMilk, Family::Milk);
    out[i++] = {kMalade, Family::Sick, Format::Gif, true, Slot::Image2};
    addFrames(out, i, kBain, Family::Bath);
    addFrames(out, i, kPleure, Family::Crying);
    for (std::string_view p : kCrotte) out[i++] = {p, Family::Droppings, Format::Gif, true, Slot::Image4};
    out[i++] = {kPleureWav, Family::CrySound, Format::Wav, false, Slot::Image1};
    return out;
}

}  // namespace

const std::array<Entry, 62>& catalogue() {
    static const std::array<Entry, 62> kAll = build();
    return kAll;
}

std::string_view idleFrame(int n) { return kNourrisson[static_cast<std::size_t>(std::clamp(n, 1, 13) - 1)]; }

std::string_view droppings(int count) { return kCrotte[static_cast<std::size_t>(std::clamp(count, 1, 5) - 1)]; }

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

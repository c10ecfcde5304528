#include "canvas.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace gribo::art {

Canvas::Canvas(int width, int height, std::uint8_t fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

std::uint8_t Canvas::at(int x, int y) const {
    return contains(x, y) ? pixels_[index(x, y)] : static_cast<std::uint8_t>(kClear);
}

void Canvas::set(int x, int y, std::uint8_t c) {
    if (contains(x, y)) pixels_[index(x, y)] = c;
}

void Canvas::fill(std::uint8_t c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Canvas::fillRect(int x, int y, int w, int h, std::uint8_t c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) set(i, j, c);
}

void Canvas::hline(int x0, int x1, int y, std::uint8_t c) {
    if (x0 > x1) std::swap(x0, x1);
    for (int x = x0; x <= x1; ++x) set(x, y, c);
}

void Canvas::vline(int x, int y0, int y1, std::uint8_t c) {
    if (y0 > y1) std::swap(y0, y1);
    for (int y = y0; y <= y1; ++y) set(x, y, c);
}

void Canvas::line(int x0, int y0, int x1, int y1, std::uint8_t c) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

namespace {

// Position of (fx, fy) in the ellipse inscribed in (x, y, w, h), scaled so the
// rim is at u^2 + v^2 = 1.
std::pair<double, double> ellipseUv(int x, int y, int w, int h, double fx, double fy) {
    const double rx = w / 2.0;
    const double ry = h / 2.0;
    return {(fx - (x + rx)) / rx, (fy - (y + ry)) / ry};
}

}  // namespace

void Canvas::fillEllipse(int x, int y, int w, int h, std::uint8_t c) {
    fillWhere(
        [&](double fx, double fy) {
            const auto [u, v] = ellipseUv(x, y, w, h, fx, fy);
            return u * u + v * v <= 1.0;
        },
        c);
}

void Canvas::fillShadedEllipse(int x, int y, int w, int h, std::uint8_t light, std::uint8_t mid, std::uint8_t dark) {
    paintWhere([&](double fx, double fy) -> std::uint8_t {
        const auto [u, v] = ellipseUv(x, y, w, h, fx, fy);
        const double r2 = u * u + v * v;
        if (r2 > 1.0) return kClear;
        if (r2 > 0.5 && 0.4 * u + 0.9 * v > 0.55) return dark;
        const double lu = u + 0.4;
        const double lv = v + 0.45;
        if (lu * lu + lv * lv < 0.16) return light;
        return mid;
    });
}

void Canvas::floodFill(int x, int y, std::uint8_t c) {
    if (!contains(x, y)) return;
    const std::uint8_t from = at(x, y);
    if (from == c) return;
    std::vector<std::pair<int, int>> todo{{x, y}};
    while (!todo.empty()) {
        const auto [px, py] = todo.back();
        todo.pop_back();
        if (at(px, py) != from || !contains(px, py)) continue;
        pixels_[index(px, py)] = c;
        todo.push_back({px + 1, py});
        todo.push_back({px - 1, py});
        todo.push_back({px, py + 1});
        todo.push_back({px, py - 1});
    }
}

int legendColour(char ch) {
    switch (ch) {
        case 'x':
            return kClear;
        case 'k':
            return kInk;
        case 'w':
            return kWhite;
        case 'g':
            return kGreyLight;
        case 'G':
            return kGreyMid;
        case 'l':
            return kBodyLight;
        case 'm':
            return kBodyMid;
        case 'd':
            return kBodyDark;
        case 'p':
            return kPink;
        case 'r':
            return kRed;
        case 'b':
            return kBlueLight;
        case 'B':
            return kBlueMid;
        case 'D':
            return kBlueDark;
        case 'n':
            return kNavy;
        case 'y':
            return kYellow;
        case 'o':
            return kOrange;
        case 'R':
            return kRose;
        case 'u':
            return kPurple;
        case '1':
            return kWallLight;
        case '2':
            return kWallMid;
        case '3':
            return kWallDark;
        case '4':
            return kWoodLight;
        case '5':
            return kWoodMid;
        case '6':
            return kWoodDark;
        case 'e':
            return kGreenLight;
        case 'E':
            return kGreenDark;
        case 't':
            return kTileLight;
        case 'T':
            return kTileMid;
        case 's':
            return kSickLight;
        case 'S':
            return kSickMid;
        case 'P':
            return kPlum;
        case 'c':
            return kCream;
        default:
            return -1;
    }
}

void Canvas::drawGrid(int x, int y, std::initializer_list<std::string_view> rows, bool mirror) {
    int j = 0;
    for (std::string_view row : rows) {
        const int n = static_cast<int>(row.size());
        for (int i = 0; i < n; ++i) {
            const int c = legendColour(row[static_cast<std::size_t>(i)]);
            if (c >= 0) set(mirror ? x + n - 1 - i : x + i, y + j, static_cast<std::uint8_t>(c));
        }
        ++j;
    }
}

void Canvas::blit(const Canvas& part, int dx, int dy) {
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x) {
            const std::uint8_t c = part.at(x, y);
            if (c != kClear) set(x + dx, y + dy, c);
        }
}

void Canvas::stamp(const Canvas& part, int dx, int dy, std::uint8_t outline) {
    for (int y = -1; y <= part.height(); ++y)
        for (int x = -1; x <= part.width(); ++x) {
            if (part.at(x, y) != kClear) continue;
            if (part.at(x - 1, y) != kClear || part.at(x + 1, y) != kClear || part.at(x, y - 1) != kClear ||
                part.at(x, y + 1) != kClear)
                set(x + dx, y + dy, outline);
        }
    blit(part, dx, dy);
}

void Canvas::remap(const std::array<std::uint8_t, kColourCount>& map) {
    for (std::uint8_t& p : pixels_) p = map[p];
}

Canvas Canvas::mirrored() const {
    Canvas out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) out.set(width_ - 1 - x, y, at(x, y));
    return out;
}

std::size_t Canvas::countNot(std::uint8_t c) const {
    return static_cast<std::size_t>(
        std::count_if(pixels_.begin(), pixels_.end(), [c](std::uint8_t p) { return p != c; }));
}

std::array<std::uint8_t, kColourCount> identityMap() {
    std::array<std::uint8_t, kColourCount> map{};
    for (std::size_t i = 0; i < map.size(); ++i) map[i] = static_cast<std::uint8_t>(i);
    return map;
}

}  // namespace gribo::art

#include "egg.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace gribo::art {
namespace {

constexpr double kHeight = 24.0;
constexpr double kRadius = 10.0;
constexpr double kCrackHeight = 11.5;

// The zigzag the shell breaks along, as a height above the foot of the egg.
double crackLine(double u) { return kCrackHeight + std::abs(std::fmod(u + 100.0, 4.0) - 2.0) - 1.0; }

// The shell's colour at local (u across, v up from the foot), or kClear outside.
std::uint8_t shellAt(double u, double v, double swell) {
    const double h = kHeight * swell;
    const double r = kRadius * swell;
    const double half = h / 2.0;
    const double width = r * (1.0 + 0.12 * (half - v) / half);
    const double eu = u / width;
    const double ev = (v - half) / half;
    const double r2 = eu * eu + ev * ev;
    if (r2 > 1.0 || v < 0.0) return kClear;
    constexpr struct {
        double u, v, r;
    } kSpots[] = {{-4.0, 15.5, 2.0}, {3.5, 9.0, 2.4}, {5.0, 18.0, 1.6}, {-5.5, 6.0, 1.7}, {0.5, 20.5, 1.2}};
    for (const auto& s : kSpots) {
        const double du = u - s.u * swell;
        const double dv = v - s.v * swell;
        if (du * du + dv * dv <= s.r * s.r * swell * swell) return (eu * 0.4 - ev * 0.9 > 0.5) ? kBlueLight : kWhite;
    }
    if (r2 > 0.55 && 0.45 * eu - 0.9 * ev > 0.5) return kBlueDark;
    const double lu = eu + 0.42;
    const double lv = ev - 0.45;
    if (lu * lu + lv * lv < 0.1) return kBlueLight;
    return kBlueMid;
}

struct Frame {
    double ox, oy, tilt;
};

// Local coordinates of the pixel centre (fx, fy) for an egg standing at
// (ox, oy) and leaning by `tilt`.
std::pair<double, double> local(const Frame& f, double fx, double fy) {
    const double dx = fx - f.ox;
    const double dy = f.oy - fy;
    const double c = std::cos(f.tilt);
    const double s = std::sin(f.tilt);
    return {dx * c - dy * s, dx * s + dy * c};
}

using Crack = std::vector<std::pair<double, double>>;

std::vector<Crack> cracksFor(int stage) {
    std::vector<Crack> out;
    if (stage <= 0) return out;
    auto zig = [](double from, double to) {
        Crack c;
        for (double u = from; u <= to + 0.01; u += 2.0) c.push_back({u, crackLine(u)});
        return c;
    };
    // The first crack starts near the top, then runs round the egg.
    const Crack top = {{3.0, crackLine(3.0)}, {2.0, 14.0}, {4.0, 16.0}, {3.0, 17.0}, {4.0, 19.0}};
    const Crack side = {{-8.0, crackLine(-8.0)}, {-9.0, 14.0}, {-8.0, 15.0}, {-9.0, 17.0}};
    out.push_back(top);
    if (stage >= 2) out.push_back(zig(0.0, 10.0));
    if (stage >= 3) {
        out.push_back(zig(-12.0, 12.0));
        out.push_back(side);
    }
    return out;
}

}  // namespace

void drawEgg(Canvas& c, const EggPose& p) {
    const Frame f{p.x + 0.5, p.baseRow + 1.0, p.tilt};
    Canvas shell(c.width(), c.height());
    shell.paintWhere([&](double fx, double fy) {
        const auto [u, v] = local(f, fx, fy);
        return shellAt(u, v, p.swell);
    });
    if (p.cracks >= 4) {
        // A chip knocked out near the top shows the dark inside, and an eye.
        shell.paintWhere([&](double fx, double fy) -> std::uint8_t {
            const auto [u, v] = local(f, fx, fy);
            const double du = u + 1.5;
            const double dv = v - 18.0;
            if (du * du + dv * dv > 5.0) return kClear;
            return (std::abs(du - 0.5) < 0.6 && std::abs(dv - 0.4) < 0.6) ? kWhite : kInk;
        });
    }
    c.stamp(shell, 0, 0);
    const double cs = std::cos(p.tilt);
    const double sn = std::sin(p.tilt);
    auto toPixel = [&](std::pair<double, double> q) {
        const double dx = q.first * cs + q.second * sn;
        const double dy = -q.first * sn + q.second * cs;
        return std::pair<int, int>{static_cast<int>(std::floor(f.ox + dx)), static_cast<int>(std::floor(f.oy - dy))};
    };
    for (const Crack& crack : cracksFor(p.cracks))
        for (std::size_t i = 1; i < crack.size(); ++i) {
            const auto [x0, y0] = toPixel(crack[i - 1]);
            const auto [x1, y1] = toPixel(crack[i]);
            c.line(x0, y0, x1, y1, kInk);
        }
}

void drawShellBottom(Canvas& c, int x, int baseRow) {
    const Frame f{x + 0.5, baseRow + 1.0, 0.0};
    Canvas shell(c.width(), c.height());
    shell.paintWhere([&](double fx, double fy) -> std::uint8_t {
        const auto [u, v] = local(f, fx, fy);
        return v > crackLine(u) ? static_cast<std::uint8_t>(kClear) : shellAt(u, v, 1.0);
    });
    c.stamp(shell, 0, 0);
}

void drawShellCap(Canvas& c, int x, int baseRow, int lift, int shift, double tilt) {
    // The cap turns about the middle of its broken edge.
    const double pivotX = x + 0.5 + shift;
    const double pivotY = baseRow + 1.0 - kCrackHeight - lift;
    const double cs = std::cos(tilt);
    const double sn = std::sin(tilt);
    Canvas cap(c.width(), c.height());
    cap.paintWhere([&](double fx, double fy) -> std::uint8_t {
        const double dx = fx - pivotX;
        const double dy = pivotY - fy;
        const double u = dx * cs - dy * sn;
        const double v = kCrackHeight + dx * sn + dy * cs;
        return v <= crackLine(u) ? static_cast<std::uint8_t>(kClear) : shellAt(u, v, 1.0);
    });
    c.stamp(cap, 0, 0);
}

void drawBrokenShell(Canvas& c, int x, int baseRow) {
    // The bottom of the shell split in two; each half has rocked outwards and
    // lies a little sunk, its broken edge towards Gribo.
    constexpr double kApart = 12.0;   // from Gribo's middle to a half's break
    constexpr double kOverlap = 4.0;  // how far past the egg's middle each half reaches
    for (int side = -1; side <= 1; side += 2) {
        const Frame f{x + 0.5 + side * kApart, baseRow + 1.0, side * 0.15};
        Canvas half(c.width(), c.height());
        half.paintWhere([&](double fx, double fy) -> std::uint8_t {
            const auto [u, v] = local(f, fx, fy);
            if (side * u < -0.5) return kClear;  // the break
            if (v > crackLine(u) - 2.0) return kClear;
            return shellAt(u - side * kOverlap, v + 2.0, 1.0);
        });
        c.stamp(half, 0, 0);
    }
}

}  // namespace gribo::art

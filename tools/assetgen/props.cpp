#include "props.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace gribo::art {
namespace {

// (fx, fy) in the frame of an object at (ox, oy) turned by `angle`.
struct Local {
    double u, v;
};
Local toLocal(double fx, double fy, double ox, double oy, double angle) {
    const double dx = fx - ox;
    const double dy = fy - oy;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {dx * c + dy * s, -dx * s + dy * c};
}

bool inCircle(double u, double v, double cu, double cv, double r) {
    return (u - cu) * (u - cu) + (v - cv) * (v - cv) <= r * r;
}

}  // namespace

void drawMeat(Canvas& c, int x, int y, double angle, int bites) {
    Canvas bone(c.width(), c.height());
    bone.paintWhere([&](double fx, double fy) -> std::uint8_t {
        const auto [u, v] = toLocal(fx, fy, x + 0.5, y + 0.5, angle);
        const bool shaft = u > 3.0 && u < 9.0 && std::abs(v) < 1.1;
        const bool knob = inCircle(u, v, 9.5, -1.3, 1.5) || inCircle(u, v, 9.5, 1.3, 1.5);
        if (!shaft && !knob) return kClear;
        return v > 0.6 ? kGreyLight : kWhite;
    });
    c.stamp(bone, 0, 0);
    Canvas meat(c.width(), c.height());
    meat.paintWhere([&](double fx, double fy) -> std::uint8_t {
        // Bites are taken from the side facing Gribo's mouth, on his right.
        const double sx = fx - (x + 0.5);
        const double sy = fy - (y + 0.5);
        if (bites >= 1 && inCircle(sx, sy, -5.2, -1.6, 2.3)) return kClear;
        if (bites >= 2 && inCircle(sx, sy, -4.4, 2.6, 2.3)) return kClear;
        const auto [u, v] = toLocal(fx, fy, x + 0.5, y + 0.5, angle);
        const double eu = (u + 0.5) / 5.3;
        const double ev = v / 4.2;
        if (eu * eu + ev * ev > 1.0) return kClear;
        const double lu = sx + 1.5;
        const double lv = sy + 1.5;
        if (lu * lu + lv * lv < 2.0) return kPink;
        return (0.3 * sx + sy > 2.0) ? kWoodDark : kRed;
    });
    c.stamp(meat, 0, 0);
}

void drawBottle(Canvas& c, int x, int y, double angle, double level, double bubble) {
    constexpr double kBody = 11.0;  // foot to cap
    constexpr double kCap = 13.0;   // cap to teat
    constexpr double kTip = 17.0;
    // Tipped teat-down, the milk runs to the teat end.
    const bool teatDown = std::cos(angle) < 0.0;
    Canvas b(c.width(), c.height());
    // Local frame: u across, `up` from the foot towards the teat.
    b.paintWhere([&](double fx, double fy) -> std::uint8_t {
        const auto [u, v] = toLocal(fx, fy, x + 0.5, y + 1.0, angle);
        const double up = -v;
        if (up < 0.0) return kClear;
        if (up < kBody && std::abs(u) < 4.0) {
            if (up < 1.0 && std::abs(u) > 3.0) return kClear;  // rounded foot
            const double milkFrom = teatDown ? (kBody - 1.0) * (1.0 - level) : 0.0;
            const double milkTo = teatDown ? kBody : (kBody - 1.0) * level;
            if (up >= milkFrom && up < milkTo && level > 0.0) {
                const double bubbleAt = milkFrom + (milkTo - milkFrom) * bubble;
                if (bubble > 0.0 && inCircle(u, up, 0.5, bubbleAt, 1.0)) return kBlueLight;
                return u > 2.0 ? kGreyLight : kWhite;
            }
            if (u < -2.0 && up > 2.0 && up < 8.0) return kCream;       // glint on the glass
            if (u > 2.0 && std::fmod(up, 2.0) < 1.0) return kGreyMid;  // measuring marks
            return kBlueLight;
        }
        if (up < kCap && std::abs(u) < 4.0) return up < kBody + 1.0 ? kRose : kPink;
        if (up < kTip && std::abs(u) < 2.0 - (up > kTip - 1.0 ? 0.8 : 0.0)) return u > 0.8 ? kWoodMid : kWoodLight;
        return kClear;
    });
    c.stamp(b, 0, 0);
}

void drawSponge(Canvas& c, int x, int y) {
    Canvas s(8, 6);
    s.drawGrid(0, 0, {".yyyyy.", "yyoyyyo", "yyyyoyy", "yoyyyyy", "oyyyoyo", ".ooooo."});
    c.stamp(s, x - 3, y - 3);
}

void drawThermometer(Canvas& c, int x, int y) {
    Canvas t(c.width(), c.height());
    t.line(x, y, x + 8, y + 4, kWhite);
    t.line(x, y + 1, x + 8, y + 5, kGreyLight);
    t.line(x, y, x + 4, y + 2, kRed);
    t.set(x + 8, y + 4, kGreyMid);
    t.set(x + 8, y + 5, kGreyMid);
    c.stamp(t, 0, 0);
}

void drawBubble(Canvas& c, int x, int y, int size) {
    Canvas b(size + 2, size + 2);
    if (size <= 1) {
        b.set(1, 1, kWhite);
    } else {
        b.fillEllipse(0, 0, size + 1, size + 1, kBlueLight);
        b.fillEllipse(0, 0, size, size, kWhite);
        b.set(1, 1, kWhite);
        if (size >= 3) b.set(size / 2 + 1, size / 2 + 1, kBlueLight);
    }
    c.stamp(b, x - size / 2, y - size / 2, kBlueMid);
}

void drawSparkle(Canvas& c, int x, int y, bool big) {
    if (big) {
        c.drawGrid(x - 3, y - 3, {"...y...", "...y...", "..yyy..", "yyywyyy", "..yyy..", "...y...", "...y..."});
    } else {
        c.drawGrid(x - 1, y - 1, {".y.", "ywy", ".y."});
    }
}

void drawHeart(Canvas& c, int x, int y) {
    Canvas h(7, 6);
    h.drawGrid(0, 0, {".rr.rr.", "rpprrrr", "rprrrrr", ".rrrrr.", "..rrr..", "...r..."});
    c.stamp(h, x - 3, y - 3);
}

void drawDrop(Canvas& c, int x, int y) {
    Canvas d(3, 4);
    d.drawGrid(0, 0, {".b.", "bwb", "bbb", ".b."});
    c.stamp(d, x - 1, y - 1, kBlueMid);
}

void drawTearStream(Canvas& c, int x, int y, int length) {
    Canvas t(c.width(), c.height());
    for (int i = 0; i < length; ++i) {
        const int wobble = (i / 3) % 2;
        t.set(x + wobble, y + i, i % 4 == 1 ? kWhite : kBlueLight);
    }
    t.set(x, y + length, kBlueLight);
    t.set(x + 1, y + length, kBlueLight);
    c.stamp(t, 0, 0, kBlueMid);
}

}  // namespace gribo::art

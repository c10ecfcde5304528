#include "scene.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <utility>

namespace gribo::art {
namespace {

// Floor boards and tiles run towards a point far above the room, so they fan
// out a little towards the front.
double floorColumn(double fx, double fy) {
    constexpr double kVanishY = -70.0;
    return (fx - 47.0) * (kFloorTop - kVanishY) / (fy - kVanishY);
}

void drawWindow(Canvas& c) {
    Canvas frame(c.width(), c.height());
    frame.fillRect(51, 7, 27, 26, kWhite);
    frame.fillRect(76, 7, 2, 26, kGreyLight);  // right side in shade
    frame.fillRect(51, 31, 27, 2, kGreyLight);
    frame.set(51, 7, kCream);
    c.stamp(frame, 0, 0);
    // The pane and its inner edge; the sky pictures paint over the pane.
    c.fillRect(53, 9, 23, 22, kInk);
    c.fillRect(kPaneLeft, kPaneTop, kPaneRight - kPaneLeft + 1, kPaneBottom - kPaneTop + 1, kBlueLight);
    // The sill.
    Canvas sill(c.width(), c.height());
    sill.fillRect(47, 34, 35, 1, kWhite);
    sill.fillRect(47, 35, 35, 1, kGreyLight);
    c.stamp(sill, 0, 0);
}

void drawCurtains(Canvas& c) {
    c.hline(40, 88, 3, kWoodDark);
    c.fillRect(39, 2, 2, 3, kWoodMid);
    c.fillRect(87, 2, 2, 3, kWoodMid);
    c.set(39, 2, kInk);
    c.set(88, 4, kInk);
    for (int side = 0; side < 2; ++side) {
        Canvas curtain(c.width(), c.height());
        curtain.paintWhere([&](double fx, double fy) -> std::uint8_t {
            if (fy < 4.0 || fy > 41.0) return kClear;
            // Width of the drape: gathered by the tie at row 25, flaring below.
            const double t = fy < 25.0 ? (fy - 4.0) / 21.0 : 1.0 - (fy - 25.0) / 16.0;
            const double width = 10.0 - 6.0 * t * t * (fy < 25.0 ? 1.0 : 0.45);
            const double inner = side == 0 ? fx - 42.0 : 86.0 - fx;
            if (inner < 0.0 || inner > width) return kClear;
            // Four folds across the drape, light and shadow in turn.
            const int fold = static_cast<int>(inner / width * 4.0);
            return fold % 2 == 1 ? kRed : kPink;
        });
        // Tie-back.
        for (int x = 40; x <= 88; ++x)
            if (curtain.at(x, 25) != kClear) curtain.set(x, 25, kYellow);
        c.stamp(curtain, 0, 0);
    }
}

void drawWallPicture(Canvas& c) {
    Canvas frame(c.width(), c.height());
    frame.fillRect(12, 10, 21, 17, kWoodMid);
    frame.hline(12, 32, 10, kWoodLight);
    frame.vline(12, 10, 26, kWoodLight);
    frame.fillRect(14, 12, 17, 13, kCream);
    // A heart in the middle.
    frame.drawGrid(17, 14, {".rr.rr.", "rpprrrr", "rprrrrr", "rrrrrrr", ".rrrrr.", "..rrr..", "...r..."});
    frame.hline(14, 30, 24, kWallLight);
    c.stamp(frame, 0, 0);
    c.set(22, 8, kInk);
    c.line(22, 8, 15, 10, kWallDark);
    c.line(22, 8, 29, 10, kWallDark);
}

void drawBasket(Canvas& c) {
    Canvas top(c.width(), c.height());
    top.fillEllipse(3, 41, 29, 10, kWoodMid);
    top.fillShadedEllipse(6, 42, 23, 7, kPink, kRose, kPurple);
    c.stamp(top, 0, 0);
    Canvas front(c.width(), c.height());
    front.paintWhere([](double fx, double fy) -> std::uint8_t {
        const double u = (fx - 17.5) / 14.5;
        const double v = (fy - 46.0) / 12.0;
        if (fy < 46.0 || u * u + v * v > 1.0) return kClear;
        const int weave = (static_cast<int>(fx) / 2 + static_cast<int>(fy) / 2) % 2;
        if (v > 0.75 || u > 0.8) return kWoodDark;
        return weave == 0 ? kWoodLight : kWoodMid;
    });
    c.stamp(front, 0, 0);
    c.hline(6, 29, 47, kWoodDark);
}

void drawPlant(Canvas& c) {
    constexpr struct {
        int x, y, w, h;
    } kLeaves[] = {{84, 26, 5, 9}, {79, 31, 7, 5}, {88, 30, 6, 5}, {80, 37, 7, 5}, {87, 36, 7, 5}, {84, 33, 5, 8}};
    for (const auto& leaf : kLeaves) {
        Canvas l(c.width(), c.height());
        l.fillShadedEllipse(leaf.x, leaf.y, leaf.w, leaf.h, kGreenLight, kGreenLight, kGreenDark);
        c.stamp(l, 0, 0);
    }
    Canvas pot(c.width(), c.height());
    pot.paintWhere([](double fx, double fy) -> std::uint8_t {
        if (fy < 43.0 || fy > 56.0) return kClear;
        const double half = fy < 46.0 ? 6.0 : 5.0 - (fy - 46.0) * 0.15;
        if (std::abs(fx - 86.5) > half) return kClear;
        if (fy < 46.0) return fy < 44.0 ? kOrange : kBodyDark;
        return fx > 88.0 ? kWoodMid : kBodyDark;
    });
    c.stamp(pot, 0, 0);
    c.hline(81, 92, 45, kInk);
}

void drawRug(Canvas& c) {
    Canvas rug(c.width(), c.height());
    rug.fillEllipse(9, 67, 76, 18, kPurple);
    rug.fillEllipse(11, 68, 72, 16, kRose);
    rug.fillEllipse(16, 70, 62, 12, kPink);
    rug.paintWhere([](double fx, double fy) -> std::uint8_t {
        const double u = (fx - 47.0) / 33.5;
        const double v = (fy - 76.0) / 7.5;
        const double r = u * u + v * v;
        const int x = static_cast<int>(fx);
        return r > 0.80 && r < 0.98 && x % 4 == 1 ? kCream : kClear;
    });
    c.stamp(rug, 0, 0, kWoodDark);
}

// The sky's palette by height: top colour, middle colour, bottom colour.
struct Bands {
    std::uint8_t top, middle, bottom;
};

void fillSky(Canvas& c, Bands bands) {
    for (int y = kPaneTop; y <= kPaneBottom; ++y)
        for (int x = kPaneLeft; x <= kPaneRight; ++x) {
            // Two rows of ordered dither soften each change of colour.
            const int row = y - kPaneTop;
            const bool sparse = (x + 2 * y) % 4 == 0;
            const bool dense = !((x + 2 * y) % 4 == 2);
            auto past = [&](int edge) {
                return row > edge + 1 || (row == edge && sparse) || (row == edge + 1 && dense);
            };
            std::uint8_t colour = bands.top;
            if (past(7)) colour = bands.middle;
            if (past(13)) colour = bands.bottom;
            c.set(x, y, colour);
        }
}

// The rolling hills seen from the window, along the bottom of the pane.
void drawHills(Canvas& c, std::uint8_t near, std::uint8_t far) {
    for (int x = kPaneLeft; x <= kPaneRight; ++x) {
        const int farTop = 25 + static_cast<int>(std::lround(1.5 * std::sin((x - 54) * 0.45)));
        const int nearTop = 27 + static_cast<int>(std::lround(1.2 * std::sin((x - 60) * 0.33)));
        c.vline(x, farTop, kPaneBottom, far);
        c.vline(x, nearTop, kPaneBottom, near);
    }
}

void drawDisc(Canvas& c, int cx, int cy, int r, std::uint8_t colour) {
    c.fillEllipse(cx - r, cy - r, 2 * r + 1, 2 * r + 1, colour);
}

// Draw only inside the pane.
void clipToPane(Canvas& c) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (x < kPaneLeft || x > kPaneRight || y < kPaneTop || y > kPaneBottom) c.set(x, y, kClear);
}

// A pile whose lowest row is y, with a whiff rising from it.
void drawPile(Canvas& c, int x, int y) {
    Canvas pile(13, 8);
    pile.fillShadedEllipse(1, 4, 11, 4, kWoodLight, kWoodMid, kWoodDark);
    pile.fillShadedEllipse(3, 2, 7, 4, kWoodLight, kWoodMid, kWoodDark);
    pile.fillShadedEllipse(4, 0, 5, 3, kWoodMid, kWoodMid, kWoodDark);
    pile.set(4, 5, kWoodLight);
    pile.set(5, 2, kWoodLight);
    c.stamp(pile, x - 6, y - 7);
    c.drawGrid(x - 4, y - 12, {"e..e.", ".e..e", "e..e."});
}

}  // namespace

Canvas drawRoom() {
    Canvas c(kRoomWidth, kRoomHeight, kWallLight);
    // Wallpaper: thin stripes and little dots.
    for (int y = 2; y <= 36; ++y)
        for (int x = 0; x < kRoomWidth; ++x) {
            if (x % 10 == 4) c.set(x, y, kWallMid);
            if (x % 10 == 9 && y % 6 == 3) c.set(x, y, kRose);
        }
    c.hline(0, kRoomWidth - 1, 0, kWallDark);
    c.hline(0, kRoomWidth - 1, 1, kWallMid);
    // Chair rail and panelling.
    c.hline(0, kRoomWidth - 1, 37, kWoodLight);
    c.hline(0, kRoomWidth - 1, 38, kWoodDark);
    c.fillRect(0, 39, kRoomWidth, 8, kWallMid);
    for (int x = 2; x < kRoomWidth; x += 16) {
        c.hline(x, x + 12, 41, kWallDark);
        c.vline(x, 41, 45, kWallDark);
        c.hline(x + 1, x + 12, 45, kWallLight);
        c.vline(x + 12, 42, 45, kWallLight);
    }
    // Skirting board.
    c.hline(0, kRoomWidth - 1, 47, kWoodLight);
    c.fillRect(0, 48, kRoomWidth, 2, kWoodMid);
    c.hline(0, kRoomWidth - 1, 50, kWoodDark);
    // Floor boards.
    c.paintWhere([](double fx, double fy) -> std::uint8_t {
        if (fy < kFloorTop) return kClear;
        const double s = floorColumn(fx, fy);
        const int board = static_cast<int>(std::floor(s / 9.0));
        const bool seam = board != static_cast<int>(std::floor(floorColumn(fx - 1.0, fy) / 9.0));
        const int y = static_cast<int>(fy);
        const bool joint = (y - kFloorTop) % 22 == (board * 9 + 44) % 22;
        const bool shadow = y < kFloorTop + 3;
        if (seam || joint) return shadow ? kWoodDark : kWoodMid;
        return shadow ? kWoodMid : kWoodLight;
    });
    drawWallPicture(c);
    drawWindow(c);
    drawCurtains(c);
    drawPlant(c);
    drawBasket(c);
    drawRug(c);
    return c;
}

void drawTubFront(Canvas& c) {
    Canvas front(c.width(), c.height());
    front.paintWhere([](double fx, double fy) -> std::uint8_t {
        const double u = (fx - (kTubCentre + 0.5)) / 34.5;
        if (std::abs(u) > 1.0 || fy < kTubRim) return kClear;
        // Rounded ends at the bottom, a flat top under the rim.
        const double v = (fy - (kTubRim - 2.0)) / 23.0;
        if (u * u * u * u + v * v * v * v > 1.0) return kClear;
        // Inside the opening: the water shows through.
        const double wu = (fx - (kTubCentre + 0.5)) / 31.5;
        const double wv = (fy - (kTubRim - 2.5)) / 3.5;
        if (wu * wu + wv * wv < 1.0) return kClear;
        if (fy < kTubRim + 3.0) return kWhite;
        if (fy < kTubRim + 4.0) return kGreyLight;
        if (v > 0.75 || u > 0.85) return kGreyMid;
        if (v > 0.45 || u > 0.7) return kGreyLight;
        return u < -0.75 && v < 0.4 ? kCream : kWhite;
    });
    c.stamp(front, 0, 0);
}

Canvas drawBathroom() {
    Canvas c(kRoomWidth, kRoomHeight, kTileLight);
    // Wall tiles, with a blue band.
    for (int y = 0; y < 47; ++y)
        for (int x = 0; x < kRoomWidth; ++x) {
            const bool grout = x % 7 == 0 || y % 7 == 3;
            const bool band = y >= 31 && y <= 37;
            std::uint8_t colour = band ? kBlueLight : kTileLight;
            if (grout)
                colour = band ? kBlueMid : kTileMid;
            else if (x % 7 == 1 && y % 7 == 4)
                colour = kWhite;
            c.set(x, y, colour);
        }
    c.hline(0, kRoomWidth - 1, 46, kGreyMid);
    // Floor: a chequer of tiles.
    c.paintWhere([](double fx, double fy) -> std::uint8_t {
        if (fy < 47.0) return kClear;
        const int col = static_cast<int>(std::floor(floorColumn(fx, fy) / 8.0));
        const int row = static_cast<int>((fy - 47.0) / 5.0);
        const bool dark = (col + row) % 2 != 0;
        if (fy < 49.0) return dark ? kGreyMid : kGreyLight;
        return dark ? kGreyLight : kWhite;
    });
    drawWindow(c);
    // Bottles on the sill.
    c.drawGrid(47, 26, {".kk.", ".kk.", "kbbk", "kbBk", "kbBk", "kBBk", "kBBk", "kkkk"});
    c.drawGrid(79, 27, {".kk..", "kppk.", "kpRk.", "kwwk.", "kpRk.", "kRRk.", "kkkk."});
    // A towel on its rail.
    c.hline(4, 27, 15, kGreyMid);
    c.set(4, 14, kInk);
    c.set(27, 14, kInk);
    Canvas towel(c.width(), c.height());
    towel.fillRect(7, 14, 16, 22, kPink);
    towel.fillRect(7, 14, 16, 3, kRose);
    towel.hline(7, 22, 31, kRed);
    towel.hline(7, 22, 33, kRed);
    towel.vline(21, 17, 35, kRose);
    towel.vline(22, 17, 35, kRose);
    c.stamp(towel, 0, 0);
    // The tap at the tub's foot end, coming out of the wall.
    Canvas tap(c.width(), c.height());
    tap.fillRect(84, 38, 2, 9, kGreyLight);
    tap.vline(85, 38, 46, kGreyMid);
    tap.fillRect(75, 38, 10, 2, kGreyLight);
    tap.hline(75, 84, 39, kGreyMid);
    tap.fillRect(75, 40, 2, 2, kGreyMid);
    tap.fillRect(79, 36, 3, 2, kRed);
    c.stamp(tap, 0, 0);
    // The tub: its far rim and the water, then its front.
    Canvas rim(c.width(), c.height());
    rim.fillEllipse(kTubCentre - 34, kTubRim - 7, 70, 11, kWhite);
    rim.fillEllipse(kTubCentre - 31, kTubRim - 6, 64, 8, kBlueLight);
    rim.paintWhere([](double fx, double fy) -> std::uint8_t {
        const double u = (fx - (kTubCentre + 0.5)) / 32.0;
        const double v = (fy - (kTubRim - 2.0)) / 4.0;
        const bool ripple = static_cast<int>(fx) % 6 < 3 && std::abs(v + 0.45) < 0.15;
        return u * u + v * v < 1.0 && (v < -0.6 || ripple) ? kBlueMid : kClear;
    });
    c.stamp(rim, 0, 0);
    drawTubFront(c);
    // Claw feet.
    Canvas foot(7, 5);
    foot.drawGrid(0, 0, {".yyyy..", "yyyyo..", ".yoo...", "yo.o...", "o..o..."});
    c.stamp(foot, 17, 74);
    c.stamp(foot.mirrored(), 73, 74);
    // A rubber duck on the rim.
    Canvas duck(10, 9);
    duck.drawGrid(0, 0,
                  {"..yyy.....", ".yyyyy....", ".yky.yo...", ".yyyyoo...", "..yyy.....", "yyyyyyy...", "yyyyyyyy..",
                   ".yyyyyyo..", "..oooo...."});
    c.stamp(duck.mirrored(), 13, kTubRim - 13);
    return c;
}

Canvas drawSky(Sky sky) {
    Canvas c(kSkyWidth, kSkyHeight);
    switch (sky) {
        case Sky::Night:
            fillSky(c, {kNavy, kNavy, kBlueDark});
            for (auto [x, y] :
                 {std::pair{56, 12}, {61, 11}, {58, 17}, {64, 15}, {72, 21}, {55, 21}, {66, 20}, {60, 23}})
                c.set(x, y, (x + y) % 3 == 0 ? kYellow : kWhite);
            c.drawGrid(61, 17, {".y.", "ywy", ".y."});
            drawDisc(c, 70, 14, 3, kYellow);
            drawDisc(c, 72, 13, 3, kNavy);
            c.set(68, 12, kCream);
            drawHills(c, kInk, kPlum);
            c.drawGrid(66, 24, {"..k..", ".kkk.", "kkkkk", ".kyk.", ".kkk."});
            break;
        case Sky::Dawn:
            fillSky(c, {kPurple, kRose, kOrange});
            c.hline(56, 62, 15, kPink);
            c.hline(58, 65, 16, kPink);
            c.hline(66, 72, 13, kPink);
            drawDisc(c, 62, 26, 4, kYellow);
            drawDisc(c, 62, 26, 2, kCream);
            drawHills(c, kPlum, kPurple);
            break;
        case Sky::Day:
            fillSky(c, {kBlueMid, kBlueMid, kBlueLight});
            drawDisc(c, 59, 15, 3, kYellow);
            c.set(59, 10, kYellow);
            c.set(54, 15, kYellow);
            c.set(64, 15, kYellow);
            c.set(59, 20, kYellow);
            c.set(58, 14, kWhite);
            c.drawGrid(64, 17, {"...www....", ".wwwwwww..", "wwwwwwwwww", "wwwgggwwgg", ".ggggggg.."});
            drawHills(c, kGreenDark, kGreenLight);
            break;
        case Sky::Evening:
            fillSky(c, {kPurple, kPurple, kRose});
            for (int x = kPaneLeft; x <= kPaneRight; ++x)
                for (int y = 22; y <= 24; ++y)
                    if (y > 22 || x % 2 == 0) c.set(x, y, kOrange);
            drawDisc(c, 68, 25, 3, kOrange);
            drawDisc(c, 68, 25, 1, kYellow);
            c.hline(56, 63, 14, kRose);
            c.hline(59, 66, 15, kRose);
            c.drawGrid(58, 18, {"k.k", ".k."});
            c.drawGrid(62, 16, {"k...k", ".k.k."});
            drawHills(c, kInk, kPlum);
            break;
    }
    clipToPane(c);
    return c;
}

Canvas drawDroppings(int piles) {
    // Along the front of the floor and in the far corners, below Gribo's face
    // wherever he walks.
    constexpr std::pair<int, int> kSpots[] = {{8, 85}, {86, 85}, {7, 61}, {87, 61}, {64, 85}};
    Canvas c(kDroppingsWidth, kDroppingsHeight);
    for (int i = 0; i < piles && i < 5; ++i) drawPile(c, kSpots[i].first + kDroppingsShift, kSpots[i].second);
    return c;
}

}  // namespace gribo::art

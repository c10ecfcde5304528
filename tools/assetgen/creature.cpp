#include "creature.h"

#include <cstdint>

namespace gribo::art {
namespace {

constexpr int kBodyWidth = 21;
constexpr int kBodyHeight = 19;

void drawEye(Canvas& c, int x, int y, Eyes eyes, bool rightEye) {
    const bool m = rightEye;
    switch (eyes) {
        case Eyes::Open:
            c.drawGrid(x, y, {".kkk.", "kwwkk", "kwwkk", "kkkkk", "kkkwk", ".kkk."});
            break;
        case Eyes::Sparkly:
            c.drawGrid(x, y, {".kkk.", "kwwkk", "kwwkk", "kkkkk", "kkkwk", ".kkk."});
            c.set(x + 1, y + 4, kBlueDark);
            c.set(x + 2, y + 4, kBlueDark);
            break;
        case Eyes::Happy:
            c.drawGrid(x, y, {".....", ".....", ".kkk.", "k...k", ".....", "....."});
            break;
        case Eyes::Content:
            c.drawGrid(x, y, {".....", ".....", ".....", "k...k", ".kkk.", "....."});
            break;
        case Eyes::Squeezed:
            c.drawGrid(x, y, {".....", "kk...", "..kkk", "kk...", ".....", "....."}, m);
            break;
        case Eyes::Droopy:
            c.drawGrid(x, y, {".....", ".....", "kkkkk", "kwwkk", ".kkk.", "....."});
            break;
    }
}

void drawMouth(Canvas& c, int x, int y, Mouth mouth) {
    switch (mouth) {
        case Mouth::Smile:
            c.drawGrid(x - 1, y, {"k.k", ".k."});
            break;
        case Mouth::Grin:
            c.drawGrid(x - 2, y, {"k...k", ".kkk."});
            break;
        case Mouth::Oh:
            c.drawGrid(x - 1, y, {".k.", "krk", ".k."});
            break;
        case Mouth::Open:
            c.drawGrid(x - 2, y, {"kkkkk", "krrrk", ".kkk."});
            break;
        case Mouth::Wail:
            c.drawGrid(x - 2, y, {".kkk.", "krrrk", "krprk", ".kkk."});
            break;
        case Mouth::Howl:
            c.drawGrid(x - 3, y - 1, {"..kkk..", ".krrrk.", "krrrrrk", "krrpprk", ".kpppk.", "..kkk.."});
            break;
        case Mouth::Chew:
            c.drawGrid(x - 1, y + 1, {"kkk"});
            break;
        case Mouth::ChewOpen:
            c.drawGrid(x - 1, y, {".k.", "krk", "krk", ".k."});
            break;
        case Mouth::Lick:
            c.drawGrid(x - 2, y, {"k...k", ".kkpk", "...pp"});
            break;
        case Mouth::Frown:
            c.drawGrid(x - 2, y + 1, {".kkk.", "k...k"});
            break;
        case Mouth::Hidden:
            break;
    }
}

// The curl of fur on top of the head, its foot at (x, y).
void drawCurl(Canvas& c, int x, int y) {
    Canvas curl(7, 6);
    curl.drawGrid(0, 0, {"..ddd..", ".d...d.", ".d..dd.", "..dd...", "..dm...", "..mm..."});
    c.stamp(curl, x - 2, y - 5);
}

Canvas arm(std::uint8_t light, std::uint8_t mid, std::uint8_t dark) {
    Canvas a(5, 5);
    a.fillShadedEllipse(0, 0, 5, 5, light, mid, dark);
    return a;
}

}  // namespace

BodyBox bodyOf(const Pose& p) {
    const int width = kBodyWidth + 2 * p.wider;
    const int height = kBodyHeight + p.taller;
    const int bottom = p.footRow - 2 - p.lift;
    return {p.x - width / 2, bottom - height + 1, width, height};
}

void drawCreature(Canvas& picture, const Pose& p) {
    const std::uint8_t light = p.sick ? kSickLight : kBodyLight;
    const std::uint8_t mid = p.sick ? kSickMid : kBodyMid;
    const std::uint8_t dark = p.sick ? kGreenLight : kBodyDark;
    const BodyBox body = bodyOf(p);
    const int cx = body.centreX();
    const int cy = body.centreY();
    const Canvas nub = arm(light, mid, dark);

    if (p.leftArm.behind) picture.stamp(nub, cx + p.leftArm.dx - 2, cy + p.leftArm.dy - 2);
    if (p.rightArm.behind) picture.stamp(nub, cx + p.rightArm.dx - 2, cy + p.rightArm.dy - 2);

    if (p.feet) {
        Canvas foot(7, 4);
        foot.fillShadedEllipse(0, 0, 7, 4, mid, mid, dark);
        picture.stamp(foot, p.x - 8 + p.leftFootShift, p.footRow - 3 - p.leftFootLift);
        picture.stamp(foot, p.x + 2 + p.rightFootShift, p.footRow - 3 - p.rightFootLift);
    }

    drawCurl(picture, cx, body.top);

    Canvas fur(picture.width(), picture.height());
    fur.fillShadedEllipse(body.left, body.top, body.width, body.height, light, mid, dark);
    // A paler belly.
    fur.paintWhere([&](double fx, double fy) -> std::uint8_t {
        const double u = (fx - (cx + 0.5)) / 6.5;
        const double v = (fy - (body.bottom() - 3.0)) / 4.5;
        const bool belly = u * u + v * v <= 1.0 && fur.at(static_cast<int>(fx), static_cast<int>(fy)) == mid;
        return belly ? light : static_cast<std::uint8_t>(kClear);
    });
    const int eyeTop = cy - 5;
    drawEye(fur, cx - 7 + p.look, eyeTop, p.eyes, false);
    drawEye(fur, cx + 3 + p.look, eyeTop, p.eyes, true);
    if (p.cheeks && !p.sick) {
        const std::uint8_t blush = kPink;
        // Under the outer half of each eye, clear of the arms.
        fur.hline(cx - 6, cx - 5, cy + 2, blush);
        fur.hline(cx + 5, cx + 6, cy + 2, blush);
        if (p.puffedCheeks) {
            fur.hline(cx - 7, cx - 5, cy + 3, blush);
            fur.hline(cx + 5, cx + 7, cy + 3, blush);
        }
    }
    drawMouth(fur, cx + p.look, cy + 2, p.mouth);
    picture.stamp(fur, 0, 0);

    if (!p.leftArm.behind) picture.stamp(nub, cx + p.leftArm.dx - 2, cy + p.leftArm.dy - 2);
    if (!p.rightArm.behind) picture.stamp(nub, cx + p.rightArm.dx - 2, cy + p.rightArm.dy - 2);
}

Pose idlePose(int frame) {
    Pose p;
    p.x = walkX(frame);
    // Four beats to a stride: feet together, left foot up, feet together,
    // right foot up. A raised foot lifts the body a little, and the arm on the
    // other side swings forward.
    switch (frame % 4) {
        case 1:
            p.leftFootLift = 2;
            p.lift = 1;
            p.leftArm = {-10, 4};
            p.rightArm = {10, 1};
            break;
        case 3:
            p.rightFootLift = 2;
            p.lift = 1;
            p.leftArm = {-10, 1};
            p.rightArm = {10, 4};
            break;
        default:
            p.leftFootShift = -1;
            p.rightFootShift = 1;
            p.leftArm = {-10, 3};
            p.rightArm = {10, 3};
            break;
    }
    p.look = frame <= 4 ? -1 : (frame >= 10 ? 1 : 0);
    return p;
}

}  // namespace gribo::art

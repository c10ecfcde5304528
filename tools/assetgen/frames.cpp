#include "frames.h"

#include <cctype>
#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "creature.h"
#include "egg.h"
#include "layout.h"
#include "props.h"
#include "scene.h"

namespace gribo::art {
namespace {

Canvas petCanvas() { return Canvas(kRoomWidth, kRoomHeight); }

// ---- The egg ---------------------------------------------------------------

// Where the egg stands: where Gribo first shows himself, idle frame 9.
constexpr int kEggX = walkX(9);

// Gribo still inside his shell, seen only through the egg's outline.
void drawGriboInShell(Canvas& c, Pose pose) {
    Canvas inside = petCanvas();
    drawCreature(inside, pose);
    Canvas silhouette = petCanvas();
    drawEgg(silhouette, EggPose{kEggX, kFootRow});
    for (int y = 0; y < inside.height(); ++y)
        for (int x = 0; x < inside.width(); ++x)
            if (silhouette.at(x, y) == kClear) inside.set(x, y, kClear);
    c.blit(inside, 0, 0);
}

Canvas drawEggFrame(int n) {
    Canvas c = petCanvas();
    EggPose egg{kEggX, kFootRow};
    switch (n) {
        case 1:
            break;
        case 2:
            egg.swell = 1.07;
            break;  // the beat
        case 3:
            egg.tilt = -0.2;
            break;
        case 4:
            egg.tilt = 0.2;
            break;
        case 5:
            egg.cracks = 1;
            break;
        case 6:
            egg.cracks = 2;
            break;
        case 7:
            egg.cracks = 3;
            break;
        case 8:
            egg.cracks = 4;
            break;
        case 9: {  // the cap lifts: his eyes peek out of the gap
            Pose peek = idlePose(9);
            peek.lift = 2;
            peek.leftArm = {-6, 2, true};
            peek.rightArm = {6, 2, true};
            drawGriboInShell(c, peek);
            drawShellBottom(c, kEggX, kFootRow);
            drawShellCap(c, kEggX, kFootRow, 7, -1, -0.15);
            return c;
        }
        case 10: {  // he pops out, the cap flies off
            Pose pop = idlePose(9);
            pop.lift = 3;
            pop.eyes = Eyes::Sparkly;
            pop.mouth = Mouth::Open;
            pop.leftArm = {-12, -6};
            pop.rightArm = {12, -6};
            drawCreature(c, pop);
            drawShellBottom(c, kEggX, kFootRow);
            drawShellCap(c, kEggX, kFootRow, 16, 9, 0.7);
            drawSparkle(c, kEggX - 13, 52, false);
            drawSparkle(c, kEggX + 16, 58, false);
            return c;
        }
        case 11:  // out, in the pose of the first idle frame
            drawCreature(c, idlePose(9));
            drawBrokenShell(c, kEggX, kFootRow);
            return c;
        default:
            throw std::out_of_range("egg frame");
    }
    drawEgg(c, egg);
    return c;
}

// ---- Idle, meals, care ------------------------------------------------------

constexpr int kMealX = walkX(8);  // meals end on idle frame 7 or 9

// A hand in front of whatever he holds.
void drawHand(Canvas& c, int x, int y) {
    Canvas nub(5, 5);
    nub.fillShadedEllipse(0, 0, 5, 5, kBodyLight, kBodyMid, kBodyDark);
    c.stamp(nub, x - 2, y - 2);
}

Canvas drawMeatFrame(int n) {
    struct Step {
        Eyes eyes;
        Mouth mouth;
        int meatDx, meatDy;  // from the centre of the body
        int bites;
        bool puffed;
        int lift;
    };
    // He holds the meat by the bone at his side and brings it to his mouth for
    // each bite. F6 to F9 keep the meat still, so the chewing also plays
    // backwards.
    static constexpr Step kSteps[] = {
        {Eyes::Sparkly, Mouth::Grin, 13, 1, 0, false, 0},  // holds it up, delighted
        {Eyes::Open, Mouth::Open, 10, 3, 0, false, 1},     // mouth wide open
        {Eyes::Happy, Mouth::Hidden, 5, 4, 0, false, 1},   // chomp
        {Eyes::Content, Mouth::Chew, 13, 3, 1, true, 0},   // chewing the first bite
        {Eyes::Happy, Mouth::Hidden, 5, 4, 1, false, 1},   // a second bite
        {Eyes::Content, Mouth::Chew, 13, 3, 2, true, 0},   // chewing
        {Eyes::Open, Mouth::ChewOpen, 13, 3, 2, true, 0},  // chewing, mouth open
        {Eyes::Content, Mouth::Chew, 13, 4, 2, true, -1},  // chewing, squashed down
        {Eyes::Happy, Mouth::Lick, 13, 3, 2, false, 0},    // swallowed: licks his lips
    };
    const Step& s = kSteps[n - 1];
    constexpr double kBoneAngle = 0.9;  // down and to the right
    Canvas c = petCanvas();
    Pose p;
    p.x = kMealX;
    p.eyes = s.eyes;
    p.mouth = s.mouth;
    p.puffedCheeks = s.puffed;
    p.lift = s.lift;
    if (s.lift < 0) p.wider = 1;
    p.leftArm = {-10, s.mouth == Mouth::Hidden ? 1 : 4};
    p.rightArm = {10, 4, true};
    drawCreature(c, p);
    const BodyBox body = bodyOf(p);
    const int mx = body.centreX() + s.meatDx;
    const int my = body.centreY() + s.meatDy;
    drawMeat(c, mx, my, kBoneAngle, s.bites);
    // His hand round the bone.
    drawHand(c, mx + 4, my + 5);
    if (n == 9) drawHeart(c, body.centreX() - 12, body.top - 1);
    return c;
}

Canvas drawMilkFrame(int n) {
    Canvas c = petCanvas();
    Pose p;
    p.x = kMealX;
    const BodyBox rest = bodyOf(p);
    const int cx = rest.centreX();
    const int cy = rest.centreY();
    // Drinking: the bottle tipped up to the mouth, teat first, held in both hands.
    auto drinking = [&](double level, double bubble) {
        p.mouth = Mouth::Hidden;
        p.leftArm = {4, 4, true};
        p.rightArm = {10, 2, true};
        drawCreature(c, p);
        const BodyBox body = bodyOf(p);
        drawBottle(c, body.centreX() + 17, body.centreY() - 4, -1.92, level, bubble);
        drawHand(c, body.centreX() + 7, body.centreY() + 3);
        drawHand(c, body.centreX() + 13, body.centreY() + 1);
    };
    switch (n) {
        case 1:
            p.eyes = Eyes::Sparkly;
            p.mouth = Mouth::Oh;
            p.look = 1;
            p.rightArm = {12, 0};
            drawCreature(c, p);
            drawBottle(c, cx + 20, kFootRow, 0.0, 1.0);
            break;
        case 2:
            p.eyes = Eyes::Sparkly;
            p.mouth = Mouth::Grin;
            p.rightArm = {11, 4, true};
            drawCreature(c, p);
            drawBottle(c, cx + 14, cy + 8, 0.0, 1.0);
            drawHand(c, cx + 10, cy + 4);
            drawHand(c, cx + 17, cy + 5);
            break;
        case 3:
            drinking(1.0, 0.0);
            break;
        case 4:
            p.eyes = Eyes::Content;
            drinking(0.7, 0.0);
            break;
        case 5:  // a gulp: cheeks full, a bubble low in the milk
            p.eyes = Eyes::Content;
            p.puffedCheeks = true;
            p.wider = 1;
            drinking(0.45, 0.2);
            break;
        case 6:  // swallowing: the bubble rises
            p.eyes = Eyes::Content;
            p.lift = 1;
            drinking(0.45, 0.8);
            break;
        case 7:
            p.eyes = Eyes::Happy;
            p.mouth = Mouth::Grin;
            p.leftArm = {-3, 6};
            p.rightArm = {12, 4, true};
            drawCreature(c, p);
            drawBottle(c, cx + 16, kFootRow, 0.0, 0.0);
            drawHand(c, cx + 12, cy + 5);
            drawHeart(c, cx - 12, rest.top - 1);
            break;
        default:
            throw std::out_of_range("milk frame");
    }
    return c;
}

Canvas drawBathFrame(int n) {
    Canvas c = petCanvas();
    Pose p;
    p.x = kTubCentre;
    p.footRow = kTubRim + 5;
    p.feet = false;
    p.leftArm = {-12, 3};
    p.rightArm = {12, 3};
    const BodyBox body = bodyOf(p);
    const int cx = body.centreX();
    const int cy = body.centreY();
    switch (n) {
        case 1:
            p.eyes = Eyes::Open;
            p.mouth = Mouth::Grin;
            break;
        case 2:
            p.eyes = Eyes::Happy;
            p.mouth = Mouth::Smile;
            p.rightArm = {9, -8};
            break;
        case 3:
            p.eyes = Eyes::Content;
            p.mouth = Mouth::Grin;
            p.leftArm = {-12, -3};
            break;
        case 4:
            p.eyes = Eyes::Happy;
            p.mouth = Mouth::Open;
            p.leftArm = {-12, -4};
            p.rightArm = {12, -4};
            break;
        case 5:
            p.eyes = Eyes::Squeezed;
            p.mouth = Mouth::Oh;
            break;
        case 6:
            p.eyes = Eyes::Sparkly;
            p.mouth = Mouth::Grin;
            p.leftArm = {-12, -3};
            break;
        default:
            throw std::out_of_range("bath frame");
    }
    drawCreature(c, p);
    drawTubFront(c);
    // Foam along the water around him: more of it as the scrubbing goes on.
    const int foam[] = {0, 4, 7, 9, 11, 5, 2};
    constexpr std::pair<int, int> kFoamSpots[] = {{0, 1}, {-8, 0},  {8, 1},  {-14, 1},  {14, 0}, {-4, 1},
                                                  {4, 0}, {-19, 1}, {19, 1}, {-11, -1}, {11, -1}};
    for (int i = 0; i < foam[n]; ++i)
        drawBubble(c, cx + kFoamSpots[i].first, kTubRim + kFoamSpots[i].second, 3 + (i % 2));
    switch (n) {
        case 2:
            drawSponge(c, cx + 6, body.top - 1);
            drawBubble(c, cx - 3, body.top - 1, 2);
            drawBubble(c, cx + 12, body.top - 4, 2);
            break;
        case 3:
            drawSponge(c, cx - 11, cy - 6);
            drawBubble(c, cx - 15, cy - 11, 3);
            drawBubble(c, cx - 6, body.top - 3, 2);
            drawBubble(c, cx + 13, cy - 9, 2);
            break;
        case 4:
            for (auto [dx, dy] : {std::pair{-5, -1}, {0, -3}, {5, -1}, {-2, -5}, {3, -5}})
                drawBubble(c, cx + dx, body.top + dy, 4);
            drawBubble(c, cx - 17, cy - 12, 2);
            drawBubble(c, cx + 16, cy - 14, 3);
            drawBubble(c, cx + 20, cy - 7, 1);
            break;
        case 5:
            for (auto [dx, dy] : {std::pair{-8, -8}, {-2, -11}, {5, -9}, {10, -5}, {-12, -3}, {1, -6}})
                drawDrop(c, cx + dx, body.top + dy + 2);
            break;
        case 6:
            drawSparkle(c, cx - 15, cy - 9, true);
            drawSparkle(c, cx + 14, body.top, true);
            drawSparkle(c, cx + 18, cy, false);
            drawSparkle(c, cx - 9, body.top - 3, false);
            break;
        default:
            break;
    }
    return c;
}

Canvas drawCryingFrame(int n) {
    Canvas c = petCanvas();
    Pose p;
    p.x = walkX(7);
    p.eyes = Eyes::Squeezed;
    p.mouth = n == 1 ? Mouth::Wail : Mouth::Howl;
    p.leftArm = {-11, n == 1 ? -1 : -5};
    p.rightArm = {11, n == 1 ? -1 : -5};
    if (n == 2) {
        p.taller = 1;
        p.lift = 1;
    }
    drawCreature(c, p);
    const BodyBox body = bodyOf(p);
    const int cx = body.centreX();
    const int cy = body.centreY();
    drawTearStream(c, cx - 6, cy, n == 1 ? 7 : 9);
    drawTearStream(c, cx + 5, cy, n == 1 ? 7 : 9);
    if (n == 2) {
        drawDrop(c, cx - 14, cy - 6);
        drawDrop(c, cx - 17, cy - 1);
        drawDrop(c, cx + 14, cy - 6);
        drawDrop(c, cx + 17, cy - 1);
        c.drawGrid(cx - 17, body.top - 3, {"k...", ".k..", "..k.", "...."});
        c.drawGrid(cx + 14, body.top - 3, {"...k", "..k.", ".k..", "...."});
        c.drawGrid(cx - 2, body.top - 9, {"k...k", "....."});
    } else {
        drawDrop(c, cx - 12, cy - 3);
        drawDrop(c, cx + 12, cy - 3);
    }
    return c;
}

Canvas drawSickFrame() {
    Canvas c = petCanvas();
    Pose p;
    p.x = walkX(7);
    p.sick = true;
    p.eyes = Eyes::Droopy;
    p.mouth = Mouth::Frown;
    p.lift = -1;
    p.wider = 1;
    p.leftArm = {-10, 5};
    p.rightArm = {10, 5};
    drawCreature(c, p);
    const BodyBox body = bodyOf(p);
    drawThermometer(c, body.centreX() + 2, body.centreY() + 3);
    drawDrop(c, body.centreX() - 10, body.top + 3);
    // A little rain cloud over his head.
    Canvas cloud(13, 6);
    cloud.fillEllipse(0, 2, 6, 4, kGreyLight);
    cloud.fillEllipse(3, 0, 7, 6, kGreyLight);
    cloud.fillEllipse(7, 2, 6, 4, kGreyLight);
    cloud.hline(2, 10, 5, kGreyMid);
    cloud.set(5, 1, kWhite);
    cloud.set(4, 2, kWhite);
    const int cloudX = body.centreX() + 3;
    const int cloudY = body.top - 14;
    c.stamp(cloud, cloudX, cloudY);
    drawDrop(c, cloudX + 4, cloudY + 9);
    drawDrop(c, cloudX + 9, cloudY + 11);
    return c;
}

}  // namespace

int frameNumber(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    std::size_t end = dot == std::string_view::npos ? path.size() : dot;
    std::size_t start = end;
    while (start > 0 && std::isdigit(static_cast<unsigned char>(path[start - 1]))) --start;
    if (start == end) return 0;
    return std::stoi(std::string(path.substr(start, end - start)));
}

Canvas drawPicture(const Entry& entry) {
    const int n = frameNumber(entry.path);
    switch (entry.family) {
        case Family::Background:
            return drawRoom();
        case Family::BathBackground:
            return drawBathroom();
        case Family::Blank:
            return Canvas(kDroppingsWidth, kDroppingsHeight);
        case Family::Sky:
            if (entry.path == asset::kCielNuit) return drawSky(Sky::Night);
            if (entry.path == asset::kCielAube) return drawSky(Sky::Dawn);
            if (entry.path == asset::kCielSoir) return drawSky(Sky::Evening);
            return drawSky(Sky::Day);
        case Family::Egg:
            return drawEggFrame(n);
        case Family::Idle: {
            Canvas c = petCanvas();
            drawCreature(c, idlePose(n));
            return c;
        }
        case Family::Meat:
            return drawMeatFrame(n);
        case Family::Milk:
            return drawMilkFrame(n);
        case Family::Sick:
            return drawSickFrame();
        case Family::Bath:
            return drawBathFrame(n);
        case Family::Crying:
            return drawCryingFrame(n);
        case Family::Droppings:
            return drawDroppings(n);
        case Family::CrySound:
            break;
    }
    throw std::invalid_argument("not a picture: " + std::string(entry.path));
}

}  // namespace gribo::art

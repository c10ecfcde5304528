#pragma once

// Gribo: a small round creature with big eyes, stubby arms and a curl on top.
// One drawing, posed by a handful of parameters, makes every picture of him.

#include "canvas.h"
#include "layout.h"

namespace gribo::art {

enum class Eyes { Open, Happy, Content, Squeezed, Droopy, Sparkly };
enum class Mouth { Smile, Grin, Oh, Open, Wail, Howl, Chew, ChewOpen, Lick, Frown, Hidden };

// An arm is a little nub; its centre is given from the centre of the body.
struct Arm {
    int dx;
    int dy;
    bool behind = false;  // drawn behind the body
};

struct Pose {
    int x = 47;              // centre column
    int footRow = kFootRow;  // lowest row of the feet
    int lift = 0;            // body raised above its rest height (negative: crouched)
    int leftFootLift = 0;
    int rightFootLift = 0;
    int leftFootShift = 0;
    int rightFootShift = 0;
    Arm leftArm{-10, 3};
    Arm rightArm{10, 3};
    Eyes eyes = Eyes::Open;
    int look = 0;  // -1 looks left, 1 looks right
    Mouth mouth = Mouth::Grin;
    int wider = 0;  // squash and stretch of the body, in pixels
    int taller = 0;
    bool cheeks = true;
    bool puffedCheeks = false;
    bool sick = false;
    bool feet = true;
};

// The body's bounding box, where props are held.
struct BodyBox {
    int left, top, width, height;
    int centreX() const { return left + width / 2; }
    int centreY() const { return top + height / 2; }
    int bottom() const { return top + height - 1; }
};

BodyBox bodyOf(const Pose& pose);

// Draws Gribo over `picture`.
void drawCreature(Canvas& picture, const Pose& pose);

// The idle walk, frame 1..kIdleFrames: a step to the right per frame, feet
// and arms swinging in turn.
Pose idlePose(int frame);

}  // namespace gribo::art

#pragma once

// Gribo's blue egg, from the beating egg to the broken shell.

#include "canvas.h"

namespace gribo::art {

struct EggPose {
    int x = 55;         // centre column
    int baseRow = 77;   // the row it rests on
    double tilt = 0.0;  // radians, positive leans right
    double swell = 1.0;
    int cracks = 0;  // 0 none, 1 a first crack near the top, 2 running round,
                     // 3 all round, 4 with a chip out of the top
};

// The whole egg.
void drawEgg(Canvas& c, const EggPose& pose);

// The opened egg: the part of the shell below the crack line, standing at
// (x, baseRow), and its cap lifted by `lift` pixels, moved right by `shift`
// and turned by `tilt` radians.
void drawShellBottom(Canvas& c, int x, int baseRow);
void drawShellCap(Canvas& c, int x, int baseRow, int lift, int shift, double tilt);

// The two halves of the broken shell on the floor either side of (x, baseRow).
void drawBrokenShell(Canvas& c, int x, int baseRow);

}  // namespace gribo::art

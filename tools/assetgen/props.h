#pragma once

// Things Gribo holds or that float around him: food, the bottle, the sponge,
// the thermometer, tears, bubbles and sparkles.

#include "canvas.h"

namespace gribo::art {

// A piece of meat on the bone, centred on the meat at (x, y), the bone
// pointing at `angle` (radians, 0 to the right, clockwise as y grows), with
// 0 to 2 bites taken out of the meat's far end.
void drawMeat(Canvas& c, int x, int y, double angle, int bites);

// A baby's bottle standing on (x, y) (the middle of its foot), turned by
// `angle` (radians, clockwise; pi/2 lays it down with the teat to the right),
// filled to `level` (0 empty, 1 full). `bubble` puts an air bubble at that
// height of the milk (0 for none).
void drawBottle(Canvas& c, int x, int y, double angle, double level, double bubble = 0.0);

void drawSponge(Canvas& c, int x, int y);
// A thermometer from the mouth (x, y) down to the right.
void drawThermometer(Canvas& c, int x, int y);
void drawBubble(Canvas& c, int x, int y, int size);  // size 1..4
void drawSparkle(Canvas& c, int x, int y, bool big);
void drawHeart(Canvas& c, int x, int y);
void drawDrop(Canvas& c, int x, int y);  // a tear or a bead of sweat
// A stream of tears running down from (x, y), `length` pixels long.
void drawTearStream(Canvas& c, int x, int y, int length);

}  // namespace gribo::art

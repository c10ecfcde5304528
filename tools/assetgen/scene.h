#pragma once

// The pictures of the scene itself: the two rooms, the four skies of the
// window, and the droppings.

#include "canvas.h"
#include "layout.h"

namespace gribo::art {

enum class Sky { Night, Dawn, Day, Evening };

Canvas drawRoom();      // Gribo's room, 94 x 87, opaque
Canvas drawBathroom();  // the bathroom with its tub, 94 x 87, opaque
// The front of the tub, on a transparent room-sized picture: the bath frames
// draw it again over Gribo so that he sits in the water.
void drawTubFront(Canvas& picture);
Canvas drawSky(Sky sky);          // 80 x 80, only the pane is opaque
Canvas drawDroppings(int piles);  // 102 x 87, 1 to 5 piles on the floor

}  // namespace gribo::art

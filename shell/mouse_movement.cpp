#include "mouse_movement.h"

bool MouseMoveEndsSaver(MouseAnchor& anchor, int32_t x, int32_t y)
{
    if (anchor.x + anchor.y == 0) {
        anchor.x = x;
        anchor.y = y;
    }
    const int32_t difference = (anchor.x + anchor.y) - (x + y);
    return difference > 15 || difference < -15;
}

// The full-screen saver ends when the mouse has really moved, not when it
// merely trembles or reports where it already is.
#pragma once
#include <cstdint>

// The first reported position; x + y == 0 counts as not yet set.
struct MouseAnchor {
    int32_t x;
    int32_t y;
};

// Takes a movement report (client coordinates). The first report with a
// non-zero sum sets the anchor; true once the sum of the coordinates differs
// from the anchor's by 16 or more.
bool MouseMoveEndsSaver(MouseAnchor& anchor, int32_t x, int32_t y);

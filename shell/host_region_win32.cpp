#include "host_region_win32.h"

DrawRegion ClientRegionOf(HWND window)
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return DrawRegion{client.left + origin.x,  client.top + origin.y, client.right + origin.x,
                      client.bottom + origin.y, origin.x,              origin.y};
}

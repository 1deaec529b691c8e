// Settings and the region are shared with the user-interface thread, which may
// change a byte of them while a pass runs. Reading through these goes to memory
// at each use, so a change shows at the next read instead of never.
#pragma once
#include "geometry.h"

template <typename T>
inline T ReadShared(const T& field)
{
    return *static_cast<const volatile T*>(&field);
}

// The region as it stands now.
inline DrawRegion ReadSharedRegion(const DrawRegion& region)
{
    DrawRegion now;
    now.left = ReadShared(region.left);
    now.top = ReadShared(region.top);
    now.right = ReadShared(region.right);
    now.bottom = ReadShared(region.bottom);
    now.originX = ReadShared(region.originX);
    now.originY = ReadShared(region.originY);
    return now;
}

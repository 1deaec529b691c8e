// Asking for a cache line before it is needed, so that several random reads
// of a pass are in flight at once instead of one after another.
#pragma once

inline void PrefetchForWrite(const void* address)
{
#if defined(__GNUC__)
    __builtin_prefetch(address, 1, 3);
#else
    (void)address;
#endif
}

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "animation/surface_recovery.h"

namespace {

// A surface that comes back after a number of refused restores, and a stop
// that may come during one of the waits.
struct LostSurface {
    LostSurface(int refusals_, size_t stopAtWait_) : refusals(refusals_), stopAtWait(stopAtWait_) {}

    int refusals;
    size_t stopAtWait;   // the wait a stop cuts short
    std::vector<uint32_t> waits;
    int restores = 0;

    static bool Restore(void* c)
    {
        LostSurface& s = *static_cast<LostSurface*>(c);
        return ++s.restores > s.refusals;
    }
    static bool Wait(void* c, uint32_t ms)
    {
        LostSurface& s = *static_cast<LostSurface*>(c);
        s.waits.push_back(ms);
        return s.waits.size() != s.stopAtWait;
    }
    bool Recover() { return WaitForLostSurface(SurfaceRecovery{this, Restore, Wait}); }
};

TEST(SurfaceRecovery, WaitsEverLongerUpToASecondBeforeEachRestore)
{
    LostSurface away{8, SIZE_MAX};
    EXPECT_TRUE(away.Recover());
    EXPECT_EQ((std::vector<uint32_t>{50, 100, 200, 400, 800, 1000, 1000, 1000, 1000}), away.waits);
    EXPECT_EQ(9, away.restores);

    // A stop during a wait ends it there, with no restore after it.
    LostSurface stopped{100, 3};
    EXPECT_FALSE(stopped.Recover());
    EXPECT_EQ(3u, stopped.waits.size());
    EXPECT_EQ(2, stopped.restores);
}

}  // namespace

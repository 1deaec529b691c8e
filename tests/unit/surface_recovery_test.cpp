#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "animation/surface_recovery.h"

namespace {

// A surface back after `refusals` refused restores; a stop cuts the wait
// numbered `stopAtWait` short.
struct LostSurface {
    int refusals;
    size_t stopAtWait;
    std::vector<uint32_t> waits{};
    int restores = 0;

    bool Recover()
    {
        const auto restore = [](void* c) { return ++static_cast<LostSurface*>(c)->restores > static_cast<LostSurface*>(c)->refusals; };
        const auto wait = [](void* c, uint32_t ms) {
            auto& s = *static_cast<LostSurface*>(c);
            s.waits.push_back(ms);
            return s.waits.size() != s.stopAtWait;
        };
        return WaitForLostSurface(SurfaceRecovery{this, restore, wait});
    }
};

TEST(SurfaceRecovery, WaitsEverLongerUpToASecondBeforeEachRestoreAndStopsWhenAsked)
{
    LostSurface away{8, SIZE_MAX};
    EXPECT_TRUE(away.Recover());
    EXPECT_EQ((std::vector<uint32_t>{50, 100, 200, 400, 800, 1000, 1000, 1000, 1000}), away.waits);
    EXPECT_EQ(9, away.restores);

    LostSurface stopped{100, 3};
    EXPECT_FALSE(stopped.Recover());
    EXPECT_EQ(3u, stopped.waits.size());
    EXPECT_EQ(2, stopped.restores);   // none after the stop
}

}  // namespace

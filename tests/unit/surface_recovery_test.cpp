#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "animation/surface_recovery.h"

namespace {

// A surface whose restores answer `answers` in turn (then the last again);
// a stop cuts the wait numbered `stopAtWait` short.
struct LostSurface {
    std::vector<RestoreResult> answers;
    size_t stopAtWait = SIZE_MAX;
    std::vector<uint32_t> waits{};
    size_t restores = 0;
    RecoveryState state{};

    Recovery Recover()
    {
        const auto restore = [](void* c) {
            auto& s = *static_cast<LostSurface*>(c);
            const size_t at = s.restores++;
            return s.answers[at < s.answers.size() ? at : s.answers.size() - 1];
        };
        const auto wait = [](void* c, uint32_t ms) {
            auto& s = *static_cast<LostSurface*>(c);
            s.waits.push_back(ms);
            return s.waits.size() != s.stopAtWait;
        };
        return RecoverSurface(SurfaceRecovery{this, restore, wait}, state);
    }
};

const RestoreResult NotYet = RestoreResult::NotYet;

}  // namespace

TEST(SurfaceRecovery, WaitsEverLongerUpToASecondBeforeEachRestoreAndStopsWhenAsked)
{
    LostSurface away{{NotYet, NotYet, NotYet, NotYet, NotYet, NotYet, NotYet, NotYet, RestoreResult::Restored}};
    EXPECT_EQ(Recovery::Restored, away.Recover());
    EXPECT_EQ((std::vector<uint32_t>{50, 100, 200, 400, 800, 1000, 1000, 1000, 1000}), away.waits);
    EXPECT_EQ(9u, away.restores);

    LostSurface stopped{{NotYet}, 3};
    EXPECT_EQ(Recovery::Stopped, stopped.Recover());
    EXPECT_EQ(3u, stopped.waits.size());
    EXPECT_EQ(2u, stopped.restores);   // none after the stop
}

// A surface for another mode is made anew at once; one that stays away, or
// that comes back but refuses pass after pass, after a dozen attempts, the
// count running on from one failed pass to the next.
TEST(SurfaceRecovery, ASurfaceThatCannotComeBackIsToBeMadeAnew)
{
    LostSurface wrongMode{{NotYet, RestoreResult::NeedsNewSurface}};
    EXPECT_EQ(Recovery::NeedsNewSurface, wrongMode.Recover());
    EXPECT_EQ(2u, wrongMode.restores);

    LostSurface forEver{{NotYet}};
    EXPECT_EQ(Recovery::NeedsNewSurface, forEver.Recover());
    EXPECT_EQ(AttemptsBeforeNewSurface, forEver.restores);

    LostSurface refusing{{RestoreResult::Restored}};
    for (uint32_t pass = 1; pass < AttemptsBeforeNewSurface; ++pass)
        ASSERT_EQ(Recovery::Restored, refusing.Recover()) << "failed pass " << pass;
    EXPECT_EQ(1000u, refusing.waits.back()) << "no spinning between failed passes";
    EXPECT_EQ(Recovery::Restored, refusing.Recover());
    EXPECT_EQ(Recovery::NeedsNewSurface, refusing.Recover());
}

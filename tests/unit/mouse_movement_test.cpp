#include <gtest/gtest.h>

#include "shell/mouse_movement.h"

TEST(MouseMovement, ASumChangeOfSixteenEndsTheSaverFifteenDoesNot)
{
    MouseAnchor anchor = {100, 100};
    EXPECT_TRUE(MouseMoveEndsSaver(anchor, 116, 100));
    EXPECT_TRUE(MouseMoveEndsSaver(anchor, 100, 116));
    EXPECT_TRUE(MouseMoveEndsSaver(anchor, 84, 100));
    EXPECT_FALSE(MouseMoveEndsSaver(anchor, 115, 100));
    EXPECT_FALSE(MouseMoveEndsSaver(anchor, 85, 100));
    // Along the diagonal the sum stays and nothing ends, however far.
    EXPECT_FALSE(MouseMoveEndsSaver(anchor, 130, 70));
    EXPECT_FALSE(MouseMoveEndsSaver(anchor, 1100, -900));
}

TEST(MouseMovement, TheFirstReportOnlySetsTheAnchorAndItNeverMoves)
{
    MouseAnchor anchor = {0, 0};
    EXPECT_FALSE(MouseMoveEndsSaver(anchor, 500, 300));
    EXPECT_EQ(500, anchor.x);
    EXPECT_EQ(300, anchor.y);
    // Small steps add up against the anchor.
    EXPECT_FALSE(MouseMoveEndsSaver(anchor, 510, 300));
    EXPECT_FALSE(MouseMoveEndsSaver(anchor, 510, 305));
    EXPECT_TRUE(MouseMoveEndsSaver(anchor, 510, 306));
    EXPECT_EQ(500, anchor.x);
    EXPECT_EQ(300, anchor.y);
}

TEST(MouseMovement, AnAnchorWhoseSumIsZeroCountsAsUnset)
{
    MouseAnchor anchor = {0, 0};
    EXPECT_FALSE(MouseMoveEndsSaver(anchor, 0, 0));     // resting at the corner
    EXPECT_FALSE(MouseMoveEndsSaver(anchor, 40, 40));   // taken as the anchor
    EXPECT_EQ(40, anchor.x);
    EXPECT_TRUE(MouseMoveEndsSaver(anchor, 0, 0));

    MouseAnchor cancelling = {20, -20};
    EXPECT_FALSE(MouseMoveEndsSaver(cancelling, 300, 200));
    EXPECT_EQ(300, cancelling.x);
    EXPECT_EQ(200, cancelling.y);
}

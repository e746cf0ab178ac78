// The position bar: every write lands inside the range, and the selection end
// follows the furthest row reached.

#include "workspace/PositionBar.h"

#include <gtest/gtest.h>

TEST(PositionBar, WritesAreClampedAndRaiseTheSelectionEnd)
{
    PositionBar bar;
    bar.setRange(0, 35);
    bar.setPosition(100);
    EXPECT_EQ(bar.position(), 35);
    EXPECT_EQ(bar.selectionEnd(), 35);

    bar.setPosition(-3);
    EXPECT_EQ(bar.position(), 0);
    EXPECT_EQ(bar.selectionEnd(), 35);

    bar.setSelectionEnd(5);
    bar.setPosition(3);
    EXPECT_EQ(bar.selectionEnd(), 5);
    bar.setPosition(7);
    EXPECT_EQ(bar.selectionEnd(), 7);
}

TEST(PositionBar, RewritingTheSamePositionLeavesTheSelectionEnd)
{
    PositionBar bar;
    bar.setRange(0, 100);
    bar.setPosition(5);
    bar.setSelectionEnd(0);
    bar.setPosition(5);
    EXPECT_EQ(bar.selectionEnd(), 0);
    bar.setPosition(200);
    EXPECT_EQ(bar.selectionEnd(), 100);
}

TEST(PositionBar, NewRangeClampsThePosition)
{
    PositionBar bar;
    bar.setRange(0, 3000);
    bar.setPosition(2500);
    bar.setRange(0, 40);
    EXPECT_EQ(bar.maximum(), 40);
    EXPECT_EQ(bar.position(), 40);

    // A sub-file with fewer rows than are kept back at its end.
    bar.setRange(0, -2);
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 0);
    EXPECT_EQ(bar.position(), 0);
}

#include "ViewFixture.h"

#include "viewer/TrendRuns.h"

#include <gtest/gtest.h>

using namespace viewtest;

namespace {

TEST(TrendRuns, StepsAreRisingFallingOrSteady)
{
    EXPECT_EQ(TrendStep(10, 15), 5);
    EXPECT_EQ(TrendStep(10, 14), 0);
    EXPECT_EQ(TrendStep(10, 6), 0);
    EXPECT_EQ(TrendStep(10, 5), -5);
}

// Seven 70° echoes deepening by 10 per column: a rising run of span 60 above the
// limit line earns a mark once a distant echo closes it; the same echoes more than
// 10 points apart never join.
TEST(TrendRuns, ARisingRunJoinsOnlyEchoesWithin10Points)
{
    for (const int spacing : {2, 12}) {
        SCOPED_TRACE(testing::Message() << "spacing " << spacing);
        StreamWriter w;
        column(w, 1000);
        for (int i = 0; i < 7; ++i)
            column(w, spacing, {{1, 10 + 10 * i}});
        column(w, 100, {{1, 40}});
        column(w, 10);
        View view;
        view.settings.TrendOn = true;
        view.load(w, 500);
        view.draw();
        const std::vector<TextItem> marks = view.textsStartingWith(QStringLiteral("↑"));
        if (spacing > 10) {
            EXPECT_TRUE(marks.empty());
            continue;
        }
        ASSERT_EQ(marks.size(), 1u);
        const std::vector<DotItem> &dots = view.canvas.dots();
        ASSERT_EQ(dots.size(), 8u);
        EXPECT_EQ(marks[0].x, (dots[0].x + dots[6].x) / 2 - 6);
        EXPECT_EQ(marks[0].y, 30 + 50 - 12);
        EXPECT_EQ(marks[0].colour, view.settings.ChannelColour[0]);
    }
}

TEST(TrendRuns, NoMarksWhileTrendMarkersAreOff)
{
    StreamWriter w;
    column(w, 1000);
    for (int i = 0; i < 7; ++i)
        column(w, 2, {{1, 10 + 10 * i}});
    column(w, 100, {{1, 40}});
    View view;
    view.load(w, 500);
    view.draw();
    EXPECT_TRUE(view.textsStartingWith(QStringLiteral("↑")).empty());
}

} // namespace

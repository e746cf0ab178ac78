#include "ViewFixture.h"

#include <gtest/gtest.h>

using namespace viewtest;

namespace {

// Echo columns 10 Steps apart from 600 on: 70° both ways, 37°, 0° and a band marker.
StreamWriter echoColumns()
{
    StreamWriter w;
    column(w, 600, {{1, 60}, {11, 80}});
    for (int k = 0; k < 30; ++k)
        column(w, 10, {{1, 40 + k}, {3, 50 + k}, {5, 30 + k}, {11, 70}, {32, 1}});
    return w;
}

int columnAt(const RecordingSlot &slot, int32_t position)
{
    for (size_t c = 0; c < slot.Columns.size(); ++c)
        if (slot.Columns[c].position == position)
            return int(c);
    return -1;
}

} // namespace

// Drawing the view up to P and then column P + 10 alone gives the same picture as
// drawing the view up to P + 10, in the single view and in either pane of two.
TEST(SingleColumn, OneMoreColumnEqualsTheRedrawUpToIt)
{
    for (const auto &[both, current] : {std::pair{false, 0}, std::pair{true, 0}, std::pair{true, 1}}) {
        auto setUp = [both, current](View &view) {
            view.state.SpliceOn = true;
            view.settings.ChannelOffsets[1][2] = 7;
            view.load(echoColumns(), 500, 0);
            if (both)
                view.load(echoColumns(), 450, 1);
            view.panes.CurrentSlot = current;
        };
        View stepped;
        View whole;
        View before;
        for (View *view : {&stepped, &whole, &before})
            setUp(*view);
        const int32_t P = 700;
        Redraw(stepped.canvas, stepped.panes, stepped.settings, stepped.state, stepped.sources, P);
        const int col = columnAt(stepped.panes.Slots[size_t(current)], P + 10);
        ASSERT_GE(col, 0);
        DrawSingleColumn(stepped.canvas, stepped.panes, stepped.settings, stepped.state, current, col);
        Redraw(whole.canvas, whole.panes, whole.settings, whole.state, whole.sources, P + 10);
        EXPECT_EQ(stepped.image, whole.image) << both << current;
        // The column drew something of its own.
        Redraw(before.canvas, before.panes, before.settings, before.state, before.sources, P);
        EXPECT_NE(before.image, whole.image);
    }
}

// The redraw up to P ends the current slot's columns there; the other pane is drawn whole.
TEST(SingleColumn, TheRedrawLimitHoldsForTheCurrentSlotOnly)
{
    View view;
    view.load(echoColumns(), 500, 0);
    view.load(echoColumns(), 500, 1);
    view.panes.CurrentSlot = 1;
    const RedrawReport report = Redraw(view.canvas, view.panes, view.settings, view.state, view.sources, 650);
    ASSERT_EQ(report.slotReports.size(), 2u);
    int shown0 = 0;
    int shown1 = 0;
    for (int n : report.slotReports[0].dotsPerChannel)
        shown0 += n;
    for (int n : report.slotReports[1].dotsPerChannel)
        shown1 += n;
    EXPECT_GT(shown0, shown1);
    EXPECT_EQ(report.slotReports[1].dotsPerChannel[4], 1 + 5 * 2);  // 600 .. 650: 0° dots and band markers
}

#include "ViewFixture.h"

#include <gtest/gtest.h>

using namespace viewtest;

namespace {

// The column holding the echo lies at position 1000; the right edge at 500 puts it at x = 500.
constexpr int32_t EchoPosition = 1000;
constexpr int32_t RightEdge = 500;

StreamWriter oneEcho(int code, int d)
{
    StreamWriter w;
    column(w, 500);
    column(w, 500, {{code, d}});
    column(w, 10);
    return w;
}

struct ProjectionCase {
    int code;
    int d;
    bool splice;
    int VS;
    bool secondGroup;
    bool drawn;
    int x;
    double y;
    int channel;  // colour
};

TEST(EchoProjection, EveryKindLandsWhereItsProbeSeesTheEcho)
{
    // Step length 2.94 mm (no parameter block). Reach for d = 100: 70° 31.96, 37° 20.47,
    // 18° 10.51 Steps. Bands at VS 1: B0 50, B1 150; second group 45, 245, B2 145;
    // VS 2: B0 100, B1 290. Channel offsets in splice mode: 10 × (channel + 1).
    const ProjectionCase cases[] = {
        {1, 100, false, 1, false, true, 468, 30 + 17.1, 0},        // 70° forward
        {2, 100, false, 1, false, true, 532, 30 + 17.1, 0},        // 70° backward
        {3, 100, true, 1, false, true, 488, 30 + 17.1, 1},         // forward, offset 20
        {5, 100, false, 1, false, true, 480, 80 + 39.93, 2},       // 37° forward
        {8, 100, true, 1, false, true, 560, 80 + 39.93, 3},        // 37° backward, offset 40
        {6, 100, false, 1, false, true, 489, 80 + 47.55, 2},       // 18° forward
        {9, 100, false, 1, false, true, 511, 80 + 47.55, 3},       // 18° backward
        {11, 100, false, 1, false, true, 500, 180 + 50, 4},        // 0°
        {11, 100, true, 1, false, true, 550, 180 + 50, 4},         // 0°, offset 50
        {14, 100, false, 1, false, true, 500, 180 + 50, 5},        // channel 6 as 0°
        {7, 100, false, 2, false, true, 468, 30 + 34.2, 2},        // VS 2: depth doubles
        {5, 100, false, 2, false, true, 480, 130 + 79.86, 2},      // band offset from the VS 2 row, not doubled
        {11, 100, false, 2, false, true, 500, 320 + 100, 4},
        {26, 100, false, 1, true, true, 468, 30 + 145 + 17.1, 0},  // second group
        {29, 100, false, 1, true, true, 532, 30 + 145 + 17.1, 1},
        {30, 100, false, 1, true, true, 480, 30 + 145 + 39.93, 2},
        {31, 100, false, 1, true, true, 520, 30 + 145 + 39.93, 3},
        {26, 100, false, 1, false, false, 0, 0, 0},                // second group hidden
        {31, 100, false, 1, false, false, 0, 0, 0},
        {5, 100, false, 1, true, true, 480, 75 + 39.93, 2},        // B0 of the second-group layout
        {32, 7, true, 1, false, true, 570, 180 - 10, 4},           // band marker: d = 1, offset of "1A"
        {35, 7, true, 1, false, true, 580, 180 - 10, 4},           // offset of "2A"
        {1, 0, false, 1, false, false, 0, 0, 0},                   // data byte 0
        {11, 0, false, 1, false, false, 0, 0, 0},
    };
    for (const ProjectionCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " d " << c.d << " splice " << c.splice << " VS " << c.VS
                                        << " second group " << c.secondGroup);
        View view;
        for (int k = 0; k < ChannelCount; ++k)
            view.settings.ChannelOffsets[0][size_t(k)] = 10 * (k + 1);
        view.settings.VS = c.VS;
        view.state.SpliceOn = c.splice;
        view.state.SecondGroupShown = c.secondGroup;
        view.load(oneEcho(c.code, c.d), RightEdge);
        const RedrawReport report = view.draw();
        const std::vector<DotItem> &dots = view.canvas.dots();
        ASSERT_EQ(dots.size(), c.drawn ? 1u : 0u);
        ASSERT_EQ(report.slotReports.size(), 1u);
        if (!c.drawn)
            continue;
        EXPECT_EQ(dots[0].x, c.x);
        EXPECT_NEAR(dots[0].y, c.y, 1e-6);
        EXPECT_EQ(dots[0].colour, view.settings.ChannelColour[size_t(c.channel)]);
        EXPECT_EQ(dots[0].size, view.state.DrawWidth);
        EXPECT_EQ(report.slotReports[0].dotsPerChannel[size_t(c.channel)], 1);
    }
}

// A forward echo is drawn ahead of its probe (left), a backward one behind it (right):
// at the right edge the backward one leaves the view, at the left edge the forward one.
TEST(EchoProjection, SeventyDegreeEchoesAtTheEdges)
{
    struct Case {
        int code;
        int32_t viewStart;
        bool visible;
    };
    const Case cases[] = {
        {1, EchoPosition, true},        {2, EchoPosition, false},
        {1, EchoPosition - 1000, false}, {2, EchoPosition - 1000, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " ViewStart " << c.viewStart);
        View view;
        view.load(oneEcho(c.code, 100), c.viewStart);
        view.draw();
        EXPECT_EQ(view.canvas.dots().size(), c.visible ? 1u : 0u);
    }
}

TEST(EchoProjection, SkippingLateEchoesDrawsOnlyTheFirstOfCodes5_8And11)
{
    StreamWriter w;
    column(w, 1000, {{5, 40}, {5, 60}, {5, 80}, {8, 40}, {8, 60}, {11, 50}, {11, 90}, {6, 30}, {6, 50}});
    column(w, 10);
    for (const bool skip : {false, true}) {
        View view;
        view.settings.SkipLateEcho = skip;
        view.load(w, RightEdge);
        const std::array<int, 9> dots = view.draw().slotReports.at(0).dotsPerChannel;
        EXPECT_EQ(dots[2], skip ? 1 + 2 : 3 + 2);  // code 6 is no late-echo code
        EXPECT_EQ(dots[3], skip ? 1 : 2);
        EXPECT_EQ(dots[4], skip ? 1 : 2);
    }
}

// Drawing walks only the columns near the view: each column of a long recording
// carries a track number, whose label is drawn (off the image too) for every column
// the walk visits.
TEST(EchoProjection, TheWalkCoversOnlyTheColumnsNearTheView)
{
    StreamWriter w;
    for (int i = 0; i < 20000; ++i)
        column(w, 1, {{71, i % 100}, {11, 50}});
    View view;
    const int32_t viewStart = 9000;
    view.load(w, viewStart);
    const RedrawReport report = view.draw();
    // Column i sits at position i + 1. Walked: the last column before ViewStart − 350
    // up to ViewStart + R + 200.
    const int walked = (viewStart + View::Width + 200) - (viewStart - 350 - 1) + 1;
    EXPECT_EQ(int(view.textsStartingWith(QStringLiteral("股")).size()), walked);
    EXPECT_EQ(report.slotReports.at(0).dotsPerChannel[4], View::Width + 1);
}

} // namespace

#include "ViewFixture.h"

#include "recording/Packets.h"

#include <gtest/gtest.h>

using namespace viewtest;

namespace {

StreamWriter withPost()
{
    MileagePacket post;
    post.mileage = 5000;
    StreamWriter w;
    column(w, 1000, {{11, 50}});
    packetColumn(w, 10, Code::Mileage, post.bytes());
    packetColumn(w, 10, Code::Gps, GpsPacket{11630000, 3954000}.bytes());
    column(w, 10);
    return w;
}

TEST(Redraw, BothSlotsAreDrawnAtTheirTopMarginsAndTheCurrentSlotStays)
{
    for (const bool secondGroup : {false, true}) {
        View view;
        view.load(withPost(), 500, 0);
        view.load(withPost(), 500, 1);
        view.panes.CurrentSlot = 1;
        view.state.SecondGroupShown = secondGroup;
        const RedrawReport report = view.draw();
        EXPECT_EQ(report.R, View::Width);
        ASSERT_EQ(report.slotReports.size(), 2u);
        EXPECT_EQ(report.slotReports[0].slot, 0);
        EXPECT_EQ(report.slotReports[0].T, 30);
        EXPECT_EQ(report.slotReports[1].T, secondGroup ? 400 : 310);
        EXPECT_EQ(view.panes.CurrentSlot, 1);
        const std::vector<DotItem> zeroDegree = view.dotsIn(report.slotReports[1].T, 800);
        EXPECT_EQ(zeroDegree.size(), 1u);
    }
}

TEST(Redraw, TheSingleViewDrawsTheCurrentSlotAt30)
{
    View view;
    view.load(withPost(), 500, 0);
    view.load(withPost(), 500, 1);
    view.panes.CurrentSlot = 1;
    view.state.SingleView = true;
    const RedrawReport report = view.draw();
    ASSERT_EQ(report.slotReports.size(), 1u);
    EXPECT_EQ(report.slotReports[0].slot, 1);
    EXPECT_EQ(report.slotReports[0].T, 30);
    EXPECT_EQ(report.slotReports[0].browseText, QStringLiteral("0/0"));
}

// Mode 0 draws the mileage headers and moves CurrentPost; mode 1 the GPS texts instead.
TEST(Redraw, HeaderModesChooseMileageOrGpsTexts)
{
    for (const int mode : {0, 1}) {
        View view;
        view.state.HeaderMode = mode;
        view.load(withPost(), 500);
        const RedrawReport report = view.draw();
        EXPECT_EQ(report.slotReports[0].CurrentPost.has_value(), mode == 0);
        EXPECT_EQ(view.textsStartingWith(QStringLiteral("0KM+500.0M")).size(), mode == 0 ? 1u : 0u);
        const std::vector<TextItem> gps = view.textsStartingWith(QStringLiteral("GPS:"));
        ASSERT_EQ(gps.size(), mode == 1 ? 1u : 0u);
        if (mode == 1) {
            EXPECT_EQ(gps[0].text, QStringLiteral("GPS:东经116°30′00.00″,北纬39°54′00.00″"));
        }
    }
}

TEST(Redraw, TheHeaderRowsMoveAboveTheLineWhenBothSlotsShowHeadersBelow)
{
    for (const bool below : {false, true}) {
        View view;
        view.settings.HeaderBelow = below;
        view.load(withPost(), 500, 0);
        view.load(withPost(), 500, 1);
        const RedrawReport report = view.draw();
        const SlotDrawReport &slot0 = report.slotReports.at(0);
        const std::vector<TextItem> headers = view.textsStartingWith(QStringLiteral("0KM+500.0M"));
        ASSERT_EQ(headers.size(), 2u);
        EXPECT_EQ(headers[0].y, slot0.T + slot0.L + (below ? -20 : 20));
    }
}

} // namespace

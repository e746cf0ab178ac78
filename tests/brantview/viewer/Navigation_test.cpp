#include "viewer/NavigationDrag.h"
#include "viewer/ViewSetUp.h"

#include "recording/FindTableEntry.h"
#include "recording/Packets.h"
#include "common/NumberFormat.h"

#include "StreamTrack.h"

#include <gtest/gtest.h>

using namespace brantview;
using streamtest::load;
using streamtest::Track;

namespace {

TEST(ViewSetUp, TheScrollBarCoversTheRecordingIn32767UnitsAtMost)
{
    struct Case {
        int lastPosition;  // -1: no columns
        ScrollRange range;
    };
    const Case cases[] = {
        {-1, {-1, 1, -340}},            // 300 / −340
        {40, {-1, 1, -340}},            // shorter than a screen
        {700, {-3, 1, -340}},           // 1000 / −340 = −2.94
        {11140480, {-32767, 1, -340}},  // + 300 = 340 × 32767
        {11200000, {-32767, 1, -342}},  // 11200300 / −32767 = −341.8
        {20000000, {-32767, 1, -611}},  // 20000300 / −32767 = −610.4, away from zero
    };
    for (const Case &c : cases) {
        Track track;
        if (c.lastPosition >= 0)
            track.far(c.lastPosition);
        const RecordingSlot slot = load(c.lastPosition >= 0 ? track.bytes() : QByteArray("\x02", 1));
        EXPECT_EQ(ScrollRangeOf(slot), c.range) << "last column at " << c.lastPosition;
        EXPECT_EQ(slot.ViewStart, c.range.ScrollScale) << "a fresh view starts one unit before the recording";
    }

    const RecordingSlot large = load(Track().far(11200000).bytes());
    const ScrollRange range = ScrollRangeOf(large);
    EXPECT_GE(int64_t(ViewStartOfScrollValue(range.Min, range)), LastViewPosition(large));
    const RecordingSlot longest = load(Track().far(20000000).bytes());
    const ScrollRange longestRange = ScrollRangeOf(longest);
    EXPECT_GE(int64_t(ViewStartOfScrollValue(longestRange.Min, longestRange)), LastViewPosition(longest))
        << "a scale rounded towards zero would leave the end beyond the bar";
}

TEST(ViewSetUp, ScrollValuesRoundHalvesToEvenWithinTheRange)
{
    const ScrollRange range{-20, 1, -340};
    struct Case {
        int64_t viewStart;
        int32_t value;
    };
    for (const Case c : {Case{-340, 1}, Case{-170, 0}, Case{170, 0}, Case{510, -2}, Case{850, -2}, Case{1190, -4},
                         Case{1000, -3}, Case{-1000, 1}, Case{100000, -20}})
        EXPECT_EQ(ScrollValueOf(c.viewStart, range), c.value) << c.viewStart;
    EXPECT_EQ(ViewStartOfScrollValue(-7, range), 2380);
}

TEST(ViewSetUp, ThePositionTextShowsWholeMetresAtTheNominalStep)
{
    struct Case {
        int64_t viewStart;
        const char *text;
    };
    for (const Case c :
         {Case{0, "0+0M"}, Case{340, "0+0M"}, Case{341, "0+1M"}, Case{1234567, "3+629M"}, Case{100000000, "294+000M"}})
        EXPECT_EQ(ViewPositionText(c.viewStart), QString::fromUtf8(c.text)) << c.viewStart;
    EXPECT_EQ(ViewPositionText(-340), common::formatPattern(-1, u"###0+##0") + QStringLiteral("M"))
        << "Int rounds down";
}

TEST(ViewSetUp, StepBarsReachTheWidthLess150)
{
    EXPECT_EQ(StepBarMaximum(1200), 1050);
    EXPECT_EQ(StepBarMaximum(100), 1);
}

TEST(ViewSetUp, SetsUpAFreshLoadAndKeepsTheViewOnAFileSwitch)
{
    ParamBlock block;
    const char serial[] = "1234567";
    for (int k = 0; k < 7; ++k)
        block.set(27 + k, serial[k]);
    block.set(39, 180);
    Track track;
    track.writer().packet(Code::Param, block.b, 10);
    RecordingSlot slot = load(track.to(5000));
    slot.ViewStart = 2000;
    OffsetTable table;
    ChannelValues offsets{};

    const ViewSetUp fresh = SetUpView(slot, 1, ViewSetUpKind::FreshLoad, 1200, 0, table, offsets);
    EXPECT_EQ(fresh.caption, QStringLiteral("B超探伤---") + slot.FileName);
    EXPECT_EQ(fresh.slotCaption, QStringLiteral("文件2"));
    EXPECT_EQ(fresh.scroll, (ScrollRange{-16, 1, -340}));
    EXPECT_EQ(slot.ViewStart, -340);
    EXPECT_EQ(slot.CurrentColumn, 0);
    EXPECT_EQ(fresh.scrollValue, 1);
    EXPECT_EQ(fresh.Text_dis, ViewPositionText(-340));
    EXPECT_EQ(fresh.stepBarMaximum, 1050);
    EXPECT_DOUBLE_EQ(slot.StepLength, block.stepLengthMm());
    EXPECT_TRUE(fresh.offsetTableDue) << "a serial number met for the first time";
    ASSERT_EQ(table.Rows.size(), 1u);
    EXPECT_EQ(table.Rows[0].SerialKey, 1234567);
    EXPECT_EQ(offsets, DefaultChannelOffsets);

    table.Rows[0].Groups[1] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    slot.ViewStart = 3000;
    const ViewSetUp kept = SetUpView(slot, 0, ViewSetUpKind::FileSwitch, 1200, 2, table, offsets);
    EXPECT_EQ(kept.slotCaption, QStringLiteral("文件1"));
    EXPECT_EQ(slot.ViewStart, 3000);
    EXPECT_EQ(slot.Columns[size_t(slot.CurrentColumn)].position, 2890) << "the column in effect at 2900";
    EXPECT_EQ(kept.scrollValue, -9);
    EXPECT_EQ(kept.Text_dis, QStringLiteral("0+8M"));
    EXPECT_FALSE(kept.offsetTableDue);
    EXPECT_EQ(offsets, (ChannelValues{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(PictureDrag, MovesWithThePointerStrictlyBetweenMinus300AndTheEndLimit)
{
    struct Case {
        int32_t viewStart;
        double x;
        double anchor;
        std::optional<int32_t> moved;
    };
    const Case cases[] = {
        {0, 150, 100, 50},      {0, -199, 100, -299},           {0, -200, 100, std::nullopt},
        {1000, 399, 100, 1299}, {1000, 400, 100, std::nullopt}, {10, 100.5, 100, 10},
        {11, 100.5, 100, 12},   {500, 99.6, 100, 500},
    };
    for (const Case &c : cases) {
        RecordingSlot slot = load(Track().to(1000));  // end limit 1300
        slot.ViewStart = c.viewStart;
        const int32_t column = slot.CurrentColumn;
        EXPECT_EQ(DraggedViewStart(slot, c.x, c.anchor), c.moved) << c.viewStart << " " << c.x;
        EXPECT_EQ(DragView(slot, c.x, c.anchor), c.moved.has_value());
        EXPECT_EQ(slot.ViewStart, c.moved.value_or(c.viewStart));
        EXPECT_EQ(slot.CurrentColumn, c.moved ? CurrentColumnOf(slot) : column);
    }
}

} // namespace

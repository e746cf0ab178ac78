// Echo positions on the B-scan and the band boundaries per rail type.

#include "TestStdFixtures.h"

#include "recording/ChannelGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

std::array<int32_t, 4> values(const TPos &p)
{
    return {p.xs, p.ys, p.xe, p.ye};
}

// A recording object with every channel's range set; GetPos reads only that.
struct Ranged {
    explicit Ranged(float range)
    {
        for (float &r : file.std_systempara.m_Range)
            r = range;
    }
    mystdfile file;
};

struct PosCase {
    int channel;
    int railType;
    int data1;
    int data2;
    int startPoint;
    float range;
    std::array<int32_t, 4> expected;
};

void PrintTo(const PosCase &c, std::ostream *os)
{
    *os << "channel " << c.channel << " rail type " << c.railType << " data " << c.data1 << "/" << c.data2
        << " start " << c.startPoint << " range " << c.range;
}

class GetPosTable : public testing::TestWithParam<PosCase> {};

TEST_P(GetPosTable, PlacesTheEcho)
{
    const PosCase &c = GetParam();
    Ranged r(c.range);
    EXPECT_EQ(values(r.file.GetPos(c.channel, c.railType, c.data1, c.data2, c.startPoint)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Echoes, GetPosTable,
    testing::Values(PosCase{0, 0, 100, 110, 100, 250, {42, 9, 36, 10}},
                    PosCase{5, 0, 100, 110, 100, 250, {100, 25, 100, 27}},
                    PosCase{6, 0, 100, 110, 100, 250, {157, 9, 163, 10}},
                    PosCase{1, 0, 100, 110, 100, 250, {27, 11, 20, 12}},
                    PosCase{0, 2, 100, 110, 100, 250, {27, 11, 20, 12}},
                    PosCase{3, 0, 100, 110, 100, 250, {69, 20, 66, 22}},
                    PosCase{4, 0, 100, 110, 100, 250, {130, 20, 133, 22}},
                    PosCase{5, 2, 100, 110, 100, 250, {100, 31, 100, 34}},
                    PosCase{8, 3, 200, 300, 50, 250, {194, 23, 266, 35}},
                    PosCase{2, 3, 200, 300, 50, 250, {-94, 23, -166, 35}},
                    PosCase{7, 1, 37, 399, 120, 250, {146, 4, 407, 46}},
                    // the range scales depth and displacement
                    PosCase{5, 0, 100, 110, 100, 125, {100, 12, 100, 13}},
                    PosCase{0, 0, 100, 110, 100, 200, {53, 7, 49, 8}},
                    // results are truncated toward zero, also below zero
                    PosCase{0, 0, 100, 110, 0, 250, {-57, 9, -63, 10}},
                    PosCase{0, 0, -100, -110, 100, 250, {157, -9, 163, -10}},
                    // the 0° echo stands under the probe whatever its data
                    PosCase{5, 1, 399, 0, -35, 250, {-35, 99, -35, 0}},
                    // no geometry for lost wave or an unknown channel
                    PosCase{9, 0, 100, 110, 100, 250, {0, 0, 0, 0}},
                    PosCase{12, 2, 100, 110, 100, 250, {0, 0, 0, 0}},
                    PosCase{-1, 0, 100, 110, 100, 250, {0, 0, 0, 0}}));

TEST(GetPos, BackwardChannelsMirrorTheForwardOnes)
{
    Ranged r(250);
    for (int railType = 0; railType <= 4; ++railType)
        for (int channel = 0; channel < 3; ++channel)
            for (int data : {1, 37, 150, 399}) {
                SCOPED_TRACE("rail type " + std::to_string(railType) + " channel " + std::to_string(channel) +
                             " data " + std::to_string(data));
                // probe at 0, so truncation toward zero treats both directions alike
                const TPos forward = r.file.GetPos(channel, railType, data, data + 20, 0);
                const TPos backward = r.file.GetPos(channel + 6, railType, data, data + 20, 0);
                EXPECT_LT(forward.xe, 0);
                EXPECT_EQ(values(forward), (std::array<int32_t, 4>{-backward.xs, backward.ys, -backward.xe, backward.ye}));
            }
}

TEST(GetPos, AutoRailTypeUsesTheP60AndP75Geometry)
{
    Ranged r(250);
    for (int channel = 0; channel < 9; ++channel) {
        const TPos p60 = r.file.GetPos(channel, 2, 120, 260, 90);
        EXPECT_EQ(values(r.file.GetPos(channel, 4, 120, 260, 90)), values(p60)) << "channel " << channel;
        EXPECT_EQ(values(r.file.GetPos(channel, 3, 120, 260, 90)), values(p60)) << "channel " << channel;
    }
}

TEST(GetPos, ValuesBeyondAnIntegerAreAnError)
{
    for (float range : {1e30f, std::numeric_limits<float>::infinity(), std::nanf("")}) {
        Ranged r(range);
        EXPECT_THROW(r.file.GetPos(0, 0, 100, 110, 100), StdDataError) << "range " << range;
    }
}

TEST(ChannelGeometry, DepthLimitOfTheRailTypes)
{
    for (int railType = 0; railType <= 4; ++railType)
        for (int channel = 0; channel < 9; ++channel) {
            const bool angle37or0 = channel >= 3 && channel <= 5;
            const int expected = angle37or0 ? 144 : railType <= 1 ? 64 : 72;
            EXPECT_EQ(ChannelGeometry::depthLimit(railType, channel), expected)
                << "rail type " << railType << " channel " << channel;
        }
}

struct BandCase {
    int railType;
    std::array<int32_t, 6> normal;
    std::array<int32_t, 6> collapsed;
    int32_t removed;
};

class BandHeights : public testing::TestWithParam<BandCase> {};

TEST_P(BandHeights, FollowRailTypeAndCollapse)
{
    const BandCase &c = GetParam();
    mystdfile file;
    file.std_systempara.m_RailType = int8_t(c.railType);
    auto bands = [&] {
        const TDataHeight &h = file.std_OIMG_Height;
        return std::array<int32_t, 6>{h[0], h[1], h[2], h[3], h[4], h[5]};
    };

    file.std_bshowhide = false;
    file.resetStdHeigh();
    EXPECT_EQ(bands(), c.normal);
    EXPECT_EQ(file.std_bshowhidevalue, 0);

    file.std_bshowhide = true;
    file.resetStdHeigh();
    EXPECT_EQ(bands(), c.collapsed);
    EXPECT_EQ(file.std_bshowhidevalue, c.removed);
    // the collapse moves the lower bands up by exactly what it removes
    for (int line = 2; line <= 4; ++line)
        EXPECT_EQ(c.normal[line] - c.collapsed[line], c.removed) << "band line " << line;
}

INSTANTIATE_TEST_SUITE_P(
    RailTypes, BandHeights,
    testing::Values(BandCase{0, {0, 84, 126, 198, 224, 140}, {0, 84, 84, 156, 182, 140}, 42},
                    BandCase{1, {0, 84, 126, 210, 236, 152}, {0, 84, 84, 168, 194, 152}, 42},
                    BandCase{2, {0, 96, 144, 242, 272, 176}, {0, 96, 96, 194, 224, 176}, 48},
                    BandCase{3, {0, 96, 144, 242, 272, 176}, {0, 96, 96, 194, 224, 176}, 48},
                    BandCase{4, {0, 96, 144, 242, 272, 176}, {0, 96, 96, 194, 224, 176}, 48}));

} // namespace

// The gain curve chart's series: titles, colours, step points and the
// show-alone clicks.

#include "TestStdFixtures.h"

#include "windows/GainChart.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Base gain 40 + channel, offset 10 x rail type + channel / 2: every level differs.
SubFileImage gainSubFile(int railType, int rows, int gainRow = -1, TPACKET gainRecord = {},
                         int railSwitchRow = -1)
{
    SubFileImage sub;
    sub.para = StdTest::minimalPara();
    sub.para.m_RailType = int8_t(railType);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 9; ++c) {
            sub.para.m_Gain[r][c] = 40.0f + float(c);
            sub.para.m_DeltaGain[r][c] = 10.0f * float(r) + 0.5f * float(c);
        }
    for (int k = 0; k < rows; ++k) {
        std::vector<TPACKET> records;
        if (k == gainRow)
            records.push_back(gainRecord);
        if (k == railSwitchRow)
            records.push_back(makePacket(u'N', 3));
        sub.addRow({makePacket(u'1', 4, 8)}, records);
    }
    return sub;
}

std::unique_ptr<mystdfile> load(const StdTest::StdFileDir &dir, std::vector<SubFileImage> subFiles)
{
    StdFileImage image;
    image.subFiles = std::move(subFiles);
    return StdTest::loadStd(dir.write("gains.std", image));
}

float level(int railType, int channel)
{
    return 40.0f + float(channel) + 10.0f * float(railType) + 0.5f * float(channel);
}

using Points = std::vector<QPointF>;

TEST(GainChart, SubFileWithoutGainChangesGivesNineFlatLines)
{
    StdTest::StdFileDir dir;
    const auto file = load(dir, {gainSubFile(1, 20)});
    const std::vector<GainSeries> series = gainChartSeries(*file, DisplayStyle());
    ASSERT_EQ(series.size(), 9u);
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(series[size_t(c)].points, (Points{{0, level(1, c)}, {19, level(1, c)}})) << "channel " << c;
}

TEST(GainChart, GainRecordStepsOnlyItsChannelAtItsRow)
{
    // Channel 2A (index 7) set to 52.5 dB at row 5.
    StdTest::StdFileDir dir;
    const auto file = load(dir, {gainSubFile(1, 10, 5, makePacket(u'h', 525))});
    const std::vector<GainSeries> series = gainChartSeries(*file, DisplayStyle());
    ASSERT_EQ(series.size(), 9u);
    EXPECT_EQ(series[7].points, (Points{{0, level(1, 7)}, {5, level(1, 7)}, {5, 52.5}, {9, 52.5}}));
    for (int c = 0; c < 7; ++c) {
        const double flat = level(1, c);
        EXPECT_EQ(series[size_t(c)].points, (Points{{0, flat}, {5, flat}, {5, flat}, {9, flat}})) << "channel " << c;
    }
}

TEST(GainChart, LevelsFollowTheRailTypeInForce)
{
    // Own rail type 1, a switch to rail type 3 at row 6; the gain record changes rail type 1 only.
    StdTest::StdFileDir dir;
    const auto file = load(dir, {gainSubFile(1, 10, 3, makePacket(u'a', 500), 6)});
    EXPECT_EQ(gainChartSeries(*file, DisplayStyle())[0].points, (Points{{0, level(1, 0)}, {3, level(1, 0)}, {3, 50}, {9, 50}}));

    file->setRailType(7);
    const double flat = level(3, 0);
    EXPECT_EQ(gainChartSeries(*file, DisplayStyle())[0].points, (Points{{0, flat}, {3, flat}, {3, flat}, {9, flat}}));
}

TEST(GainChart, SeriesFollowTheCurrentSubFile)
{
    StdTest::StdFileDir dir;
    const auto file = load(dir, {gainSubFile(0, 10), gainSubFile(2, 30, 12, makePacket(u'c', 600))});
    file->SwitchFile(1);
    EXPECT_EQ(gainChartSeries(*file, DisplayStyle())[2].points, (Points{{0, level(2, 2)}, {12, level(2, 2)}, {12, 60}, {29, 60}}));
}

TEST(GainChart, SeriesCarryChannelTitlesAndColours)
{
    StdTest::StdFileDir dir;
    const auto file = load(dir, {gainSubFile(0, 4)});
    DisplayStyle style;
    for (int c = 0; c < 10; ++c)
        style.color_channel[size_t(c)] = QColor::fromRgb(20 * c, 255 - 20 * c, 7 * c);
    const std::vector<GainSeries> series = gainChartSeries(*file, style);
    const QStringList titles{QStringLiteral("通道1"), QStringLiteral("通道2"), QStringLiteral("通道3"),
                             QStringLiteral("通道4"), QStringLiteral("通道5"), QStringLiteral("通道6"),
                             QStringLiteral("通道1A"), QStringLiteral("通道2A"), QStringLiteral("通道3A")};
    ASSERT_EQ(series.size(), 9u);
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(series[size_t(c)].title, titles[c]);
        EXPECT_EQ(series[size_t(c)].color, QColor::fromRgb(20 * c, 255 - 20 * c, 7 * c)) << "channel " << c;
    }
}

TEST(GainChart, WindowTitleNamesTheSlotFromOne)
{
    EXPECT_EQ(gainChartTitle(0), QStringLiteral("文件1 dB+ΔdB"));
    EXPECT_EQ(gainChartTitle(1), QStringLiteral("文件2 dB+ΔdB"));
}

// Whole rows between the ticks, at most about six of them.
TEST(GainChart, RowTicksFallOnWholeSteps)
{
    const std::pair<double, double> cases[] = {{0, 1}, {3, 1}, {7, 2}, {60, 10}, {61, 20}, {3000, 500},
                                               {29999, 5000}, {1e9, 2e8}};
    for (const auto &[span, step] : cases)
        EXPECT_EQ(wholeTickStep(span), step) << span;
    EXPECT_EQ(wholeTickStep(std::numeric_limits<double>::infinity()), 1.0);
}

TEST(SeriesSolo, ClickShowsOneAloneAndTheNextShowsAll)
{
    SeriesSolo solo;
    std::vector<bool> onlyThird(9, false);
    onlyThird[2] = true;
    EXPECT_EQ(solo.click(2, 9), onlyThird);
    EXPECT_TRUE(solo.shownAlone());
    EXPECT_EQ(solo.click(2, 9), std::vector<bool>(9, true));
    EXPECT_FALSE(solo.shownAlone());

    std::vector<bool> onlyLast(9, false);
    onlyLast[8] = true;
    EXPECT_EQ(solo.click(8, 9), onlyLast);
    EXPECT_EQ(solo.click(0, 9), std::vector<bool>(9, true));  // any series brings all back
}

} // namespace

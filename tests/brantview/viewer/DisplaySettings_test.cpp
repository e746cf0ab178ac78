// What the display settings windows compute without a widget: the fish-scale
// slider's half steps, the instrument colours, the minimum-run bars and labels.

#include "viewer/DisplaySettings.h"

#include <gtest/gtest.h>

using namespace brantview;

namespace {

TEST(DisplaySettings, FishScaleSliderCountsHalfStepsRoundingHalvesToEven)
{
    const struct {
        int32_t slider;
        int32_t spacing;
    } cases[] = {{5, 2},
                 {7, 4},
                 {4, 2},
                 {9, 4},
                 {11, 6},
                 {2, 1},
                 {3, 2},
                 {200, 100},
                 // beyond the slider's own range the spacing still stays within its range
                 {1, 1},
                 {0, 1},
                 {201, 100},
                 {-7, 1}};
    for (const auto &c : cases)
        EXPECT_EQ(fishScaleSpacingOf(c.slider), c.spacing) << "slider " << c.slider;

    EXPECT_EQ(FishScaleSliderRange.min, 2);
    EXPECT_EQ(FishScaleSliderRange.max, 200);
    EXPECT_EQ(fishScaleSliderValue(20), 40);
    EXPECT_EQ(fishScaleSliderValue(0), 2) << "a spacing out of range puts the slider at its end";
    for (int32_t spacing = SettingRanges::FishScaleSpacing.min; spacing <= SettingRanges::FishScaleSpacing.max;
         ++spacing)
        EXPECT_EQ(fishScaleSpacingOf(fishScaleSliderValue(spacing)), spacing);
}

TEST(DisplaySettings, ResetGivesTheInstrumentColoursWithTheForegroundInUseThenBlackAndWhite)
{
    BrantSettings settings;
    const int32_t grey = packedColour(128, 128, 128);
    settings.ChannelColour.fill(packedColour(1, 2, 3));
    settings.BackColour = packedColour(0, 0, 90);
    settings.ForeColour = grey;
    const BrantSettings before = settings;

    ResetToInstrumentColours(settings);
    const ChannelValues expected{255,     255 * 65536, 255 + 255 * 65536,      255 + 255 * 256, grey, 255 * 256,
                                 2667517, grey,        255 * 256 + 255 * 65536};
    EXPECT_EQ(settings.ChannelColour, expected);
    EXPECT_EQ(settings.BackColour, 0);
    EXPECT_EQ(settings.ForeColour, 0xFFFFFF);

    settings.ChannelColour = before.ChannelColour;
    settings.BackColour = before.BackColour;
    settings.ForeColour = before.ForeColour;
    EXPECT_EQ(settings, before) << "nothing but the colours changes";
}

TEST(DisplaySettings, AMinRunBarTakesInputOnlyWhileItsFamilyIsShown)
{
    BrantSettings settings;
    settings.Show70 = false;
    settings.Show37 = true;
    settings.Show0 = false;
    const MinRunBarsEnabled bars = minRunBarsEnabled(settings);
    EXPECT_FALSE(bars.bar70);
    EXPECT_TRUE(bars.bar37);
    EXPECT_FALSE(bars.bar0);

    EXPECT_EQ(minRunText(3), QStringLiteral("3连续点以上"));
    EXPECT_EQ(minRunText(20), QStringLiteral("20连续点以上"));
}

}  // namespace

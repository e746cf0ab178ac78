#pragma once
// What the display settings windows compute without a widget: the fish-scale slider's
// scale, the instrument colours, which minimum-run bars take input, the run labels.

#include "recording/BrantSettings.h"

#include <QString>

#include <cstdint>

namespace brantview {

// The fish-scale slider counts half steps of the spacing.
inline constexpr SettingRange<int32_t> FishScaleSliderRange{SettingRanges::FishScaleSpacing.min * 2,
                                                            SettingRanges::FishScaleSpacing.max * 2};
int32_t fishScaleSliderValue(int32_t spacing);
// The slider value halved, halves to even, held within the spacing's range.
int32_t fishScaleSpacingOf(int32_t sliderValue);

// "复位到仪器颜色": the instrument's channel colours, which take the foreground in use
// for channels "5" and "2A"; only then background black and foreground white.
void ResetToInstrumentColours(BrantSettings &settings);

// A family's minimum run takes input only while the family takes part in the filter.
struct MinRunBarsEnabled {
    bool bar70 = true;
    bool bar37 = true;
    bool bar0 = true;
};
MinRunBarsEnabled minRunBarsEnabled(const BrantSettings &settings);

// The label beside a minimum-run bar: "3连续点以上".
QString minRunText(int run);

}  // namespace brantview

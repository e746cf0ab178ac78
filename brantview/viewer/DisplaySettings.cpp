#include "DisplaySettings.h"

#include <cmath>

namespace brantview {

int32_t fishScaleSliderValue(int32_t spacing)
{
    return SettingRanges::FishScaleSpacing.clamp(spacing) * 2;
}

int32_t fishScaleSpacingOf(int32_t sliderValue)
{
    return SettingRanges::FishScaleSpacing.clamp(int32_t(std::nearbyint(sliderValue / 2.0)));
}

void ResetToInstrumentColours(BrantSettings &settings)
{
    settings.ChannelColour = InstrumentChannelColours(settings.ForeColour);
    settings.BackColour = Black;
    settings.ForeColour = White;
}

MinRunBarsEnabled minRunBarsEnabled(const BrantSettings &settings)
{
    return {settings.Show70, settings.Show37, settings.Show0};
}

QString minRunText(int run)
{
    return QString::number(run) + QStringLiteral("连续点以上");
}

}  // namespace brantview

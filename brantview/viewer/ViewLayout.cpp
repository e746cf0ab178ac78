#include "ViewLayout.h"

#include "recording/FindTableEntry.h"

#include <array>
#include <cmath>

namespace brantview {

RailGeometry railGeometry(int railType, int VS)
{
    static constexpr std::array<RailGeometry, 4> byType{
        {{120, 16, 39}, {132, 16, 42}, {156, 18, 49}, {172, 20, 58}}};
    const RailGeometry g = byType[size_t(railType < 0 || railType > 3 ? 2 : railType)];
    return {g.RailDepth * VS, g.HeadDepth * VS, g.HeadLine * VS};
}

namespace {
size_t scaleIndex(const BrantSettings &settings)
{
    return settings.VS == 2 ? 1 : 0;
}

template <typename Settings>
auto &marginOf(Settings &settings, bool secondGroupShown, int slot)
{
    auto &margins = secondGroupShown ? settings.SecondGroupTopMargin : settings.TopMargin;
    return margins[scaleIndex(settings)][size_t(slot == 1 ? 1 : 0)];
}
} // namespace

BandOffsets bandOffsets(const BrantSettings &settings, bool secondGroupShown)
{
    const size_t v = scaleIndex(settings);
    const auto &second = settings.SecondGroupBandOffset[v];
    if (secondGroupShown)
        return {second[0], second[1], second[2]};
    return {settings.BandOffset[v][0], settings.BandOffset[v][1], second[2]};
}

int topMargin(const BrantSettings &settings, bool secondGroupShown, int slot)
{
    return marginOf(settings, secondGroupShown, slot);
}

int16_t &topMarginSetting(BrantSettings &settings, bool secondGroupShown, int slot)
{
    return marginOf(settings, secondGroupShown, slot);
}

int32_t &bandOffsetSetting(BrantSettings &settings, bool secondGroupShown, int band)
{
    const size_t v = scaleIndex(settings);
    if (secondGroupShown || band == 2)
        return settings.SecondGroupBandOffset[v][size_t(band)];
    return settings.BandOffset[v][size_t(band)];
}

int railTypeInEffect(const RecordingSlot &slot)
{
    const GainEntry *gain = entryInEffect(slot.GainTable, slot.ViewStart);
    return gain ? (*gain)[11] : 0;
}

SlotLayout slotLayout(const BrantSettings &settings, const RecordingSlot &slot, int R, int T, bool secondGroupShown)
{
    SlotLayout layout;
    layout.R = R;
    layout.T = T;
    layout.VS = settings.VS == 2 ? 2 : 1;
    layout.SecondGroupShown = secondGroupShown;
    layout.bands = bandOffsets(settings, secondGroupShown);
    layout.railType = railTypeInEffect(slot);
    layout.rail = railGeometry(layout.railType, layout.VS);
    layout.L = layout.bands.B1 + int(std::lround((layout.rail.RailDepth + 20) / 2.0));
    return layout;
}

} // namespace brantview

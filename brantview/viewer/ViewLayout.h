#pragma once
// Where a slot's B-scan lies on the view: its top margin T, the band offsets, the
// vertical scale, the rail geometry and the text line offset, all in points.

#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"

#include <cstdint>

namespace brantview {

struct RailGeometry {
    int RailDepth = 0;
    int HeadDepth = 0;
    int HeadLine = 0;
};

// Rail type 0..3 (values above 3 count as 2), each length times VS.
RailGeometry railGeometry(int railType, int VS);

struct BandOffsets {
    int B0 = 0;  // 37° and 18° band
    int B1 = 0;  // 0° band
    int B2 = 0;  // second group
};

// The band offsets of the current VS for the layout in use; B2 keeps the
// second-group value also while that band is not shown.
BandOffsets bandOffsets(const BrantSettings &settings, bool secondGroupShown);

// The stored top margin of a slot for the current VS and layout, and where to change it.
int topMargin(const BrantSettings &settings, bool secondGroupShown, int slot);
int16_t &topMarginSetting(BrantSettings &settings, bool secondGroupShown, int slot);

// Band offsets B0, B1 (index 0, 1) and B2 (2, second group only) as the keys nudge them.
int32_t &bandOffsetSetting(BrantSettings &settings, bool secondGroupShown, int band);

// The rail type of the gain packet in effect at the slot's ViewStart (0 without one).
int railTypeInEffect(const RecordingSlot &slot);

struct SlotLayout {
    int R = 0;   // right edge, points
    int T = 30;  // top margin
    int VS = 1;
    bool SecondGroupShown = false;
    BandOffsets bands;
    int railType = 0;
    RailGeometry rail;
    int L = 0;   // text line offset below T

    // Screen x of a position.
    double x(int64_t position, int32_t viewStart) const { return double(R) - double(position - viewStart); }
};

SlotLayout slotLayout(const BrantSettings &settings, const RecordingSlot &slot, int R, int T, bool secondGroupShown);

} // namespace brantview

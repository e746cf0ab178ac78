#pragma once
// One slot's view: its frame and scale, the columns from a little before the right
// edge to a little past the left one, the trend markers, the range and the picked
// calibration point.

#include "SlotDrawing.h"

#include <QString>

#include <cstdint>

namespace brantview {

// Columns are drawn from this many Steps before ViewStart …
inline constexpr int ColumnsBeforeView = 350;
// … up to this many past the left edge.
inline constexpr int ColumnsAfterView = 200;

// Draws the slot's view up to position `lastPos` (ViewStart + R + 200); the range is
// drawn when `drawRange`. Returns the browse text ("###0/" of the first drawn
// record / 1330, "###0" of RecordCount / 1330).
QString DrawSlotView(SlotDrawing &view, int64_t lastPos, bool drawRange);

} // namespace brantview

#pragma once
// Dragging the picture: the view follows the pointer's horizontal movement, but
// never to 300 Steps before the recording's start nor to its end limit.

#include "recording/RecordingSlot.h"

#include <cstdint>
#include <optional>

namespace brantview {

// The ViewStart a drag from `dragAnchorX` to `x` (points) gives: ViewStart + x −
// dragAnchorX rounded, halves to even; nothing when it is not strictly between −300
// and the last column + 300.
std::optional<int32_t> DraggedViewStart(const RecordingSlot &slot, double x, double dragAnchorX);

// Applies the drag to the slot (ViewStart and CurrentColumn); false when refused.
bool DragView(RecordingSlot &slot, double x, double dragAnchorX);

} // namespace brantview

#pragma once
// The fixed lines of a slot's view: the band separators, the fish-scale guide line
// and the distance scale along the top; and the marked range.

#include "SlotDrawing.h"

namespace brantview {

void DrawFrame(SlotDrawing &view);
// The range of ViewState, drawn on the slot the commands act on.
void DrawRange(SlotDrawing &view);

// Steps between the distance scale's ticks.
inline constexpr int ScaleTickSteps = 400;

} // namespace brantview

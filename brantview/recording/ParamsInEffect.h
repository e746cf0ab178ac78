#pragma once
// What the instrument's parameter, gain and rail set-up packets say at the view's
// position, copied into the slot when its view is set up.

#include "Packets.h"
#include "RecordingSlot.h"

namespace brantview {

// The ParamTable entry in effect at ViewStart; null when the recording has none.
const ParamEntry *ParamsInEffect(const RecordingSlot &slot);

// The parameter block a table entry holds.
ParamBlock paramBlockOf(const ParamEntry &entry);

// Copies into the slot the nine current parameters, StepLength and SampleSpacing
// (nominal without a parameter block) and RailSetupTable, all as in effect at ViewStart.
void TakeParamsInEffect(RecordingSlot &slot);

// Scroll-bar geometry of a slot: the last column's position + 300, and the steps per
// scroll unit, negative (−340, or more to keep the bar within 32767 units).
int64_t LastViewPosition(const RecordingSlot &slot);
int32_t ScrollScale(const RecordingSlot &slot);

// The column in effect at ViewStart − 100, what CurrentColumn holds; 0 without columns.
int32_t CurrentColumnOf(const RecordingSlot &slot);

// Places a freshly loaded slot's view: ViewStart one scroll unit before the start,
// CurrentColumn and the parameters in effect there.
void SetInitialView(RecordingSlot &slot);

} // namespace brantview

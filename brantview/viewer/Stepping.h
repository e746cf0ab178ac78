#pragma once
// Stepping the view with the filter: "<" (`StepView`) moves ViewStart on by whole
// multiples of a Steps towards the end of the recording until a view has hits or the
// end is reached; ">" (`StepViewBack`) does the same towards the start. With SyncOn
// and a second file both slots step together as `SyncMode` says.

#include "SteppingFilter.h"
#include "ViewState.h"

#include <cstdint>
#include <functional>

namespace brantview {

enum class StepDirection {
    Forward,  // `StepView`: towards the end, not past the last column + 300
    Back,     // `StepViewBack`: towards the start, not before ScrollScale
};

enum class StepStop {
    Hit,        // the view has hits
    End,        // the limit of the direction was reached
    Cancelled,  // the progress callback asked to stop
};

struct StepOutcome {
    StepStop stop = StepStop::End;
    int64_t advance = 0;  // Steps the slot moved (the leading slot's when two step)
};

// Called every StepProgressInterval views tested with the fraction of the way to the
// limit done (0..1), so that a window can show it and let its events run. Returning
// false stops the step at the view last tested.
using StepProgress = std::function<bool(double fractionDone)>;
inline constexpr int StepProgressInterval = 64;

// One slot in a view R points wide; a step below 1 counts as 1.
StepOutcome StepView(RecordingSlot &slot, int32_t a, int R, const StepFilter &filter,
                     const StepProgress &progress = {});
StepOutcome StepViewBack(RecordingSlot &slot, int32_t a, int R, const StepFilter &filter,
                         const StepProgress &progress = {});

// Both slots. SyncMode true ("同时探伤"): each steps with its own limits, then both
// move by the smaller advance, so the pair stops at the first view with hits in
// either. SyncMode false ("第2文件为参考"): the first slot steps and the second
// follows by the same amount unless that would take it to its end (before its start
// going back); then it stays.
StepOutcome StepViewsTogether(RecordingSlot &first, RecordingSlot &second, bool SyncMode, StepDirection direction,
                              int32_t a, int R, const StepFilter &filter, const StepProgress &progress = {});

// What the buttons, keys and auto-play do: both slots together with SyncOn and a
// second recording loaded, otherwise `CurrentSlot` alone.
StepOutcome StepViews(RecordingSlots &panes, const ViewState &state, const BrantSettings &settings,
                      StepDirection direction, int32_t a, const StepProgress &progress = {});

} // namespace brantview

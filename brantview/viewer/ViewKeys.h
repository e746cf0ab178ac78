#pragma once
// The key table of the B-scan view: what each key does to the view state and the
// display settings, and what the window must do afterwards. Keys are the window
// system's codes of the instrument's desktop (F1 = 112, "[" = 219, …), the shift
// state its mask (1 Shift, 2 Ctrl, 4 Alt).

#include "ViewState.h"
#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"

namespace brantview {

namespace KeyCode {
inline constexpr int Escape = 27;
inline constexpr int A = 65, C = 67, D = 68, H = 72, J = 74, K = 75, M = 77, N = 78, S = 83, V = 86, X = 88, Z = 90;
inline constexpr int F1 = 112, F8 = 119;
inline constexpr int Comma = 188, Period = 190, OpenBracket = 219, CloseBracket = 221;
} // namespace KeyCode

inline constexpr int ShiftMask = 1, CtrlMask = 2, AltMask = 4;

struct KeyOutcome {
    int reviewMarkKind = 0;  // 1..8: add this review mark to the current slot
    int manualStep = 0;      // −1 step back ("<"), +1 step on (">"), by ManualStep
    bool save = false;       // the settings changed: write them
    bool redraw = false;
};

struct StepButtons {
    bool backwardEnabled = false;  // "<"
    bool forwardEnabled = false;   // ">"
};

// Carries out every row of the table that matches, in table order.
KeyOutcome HandleViewKey(int key, int shift, BrantSettings &settings, ViewState &state, const RecordingSlots &panes,
                         const StepButtons &buttons);

} // namespace brantview

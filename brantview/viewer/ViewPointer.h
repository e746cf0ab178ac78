#pragma once
// The pointer on the B-scan view: calibration picks, the pop-up menu's slot and
// items, dragging a slot's top margin or the picture, and the depth read-out. The
// window passes presses and moves in points and carries out the outcome.

#include "ViewState.h"
#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"

#include <QString>

#include <optional>

namespace brantview {

namespace PointerButton {
inline constexpr int Left = 1, Right = 2, Middle = 4;
}

struct PointerState {
    int DragMargin = 0;     // 0 none, 1 slot 0's top margin, 2 slot 1's
    float DragAnchorX = 0;  // pointer x at the last picture-drag step
    float DragAnchorY = 0;  // pointer y at the last margin-drag step
    bool PictureDrag = false;
};

// Which pop-up items "工具" offers for this press.
struct PopupItems {
    bool rangeEnd = false;    // "终点", "清除标记"
    bool save = false;        // "储存"
    bool markList = false;    // "浏览标记列表"
};

struct PressOutcome {
    bool stoppedAutoPlay = false;
    bool calibrationPicked = false;  // state.Selected and CurrentSlot are set
    bool fileSet = false;            // CurrentSlot was chosen: set up its view
    std::optional<PopupItems> popup; // show "工具" at the pointer
    bool grabPointer = false;        // a picture drag began
};

struct MoveOutcome {
    bool save = false;
    bool redraw = false;
    bool scrollChanged = false;      // show CurrentSlot's ViewStart on the scroll bar
    bool focusBackward = false;      // a one-slot drag moved: the focus goes to "<"
    // The depth read-out: hidden when empty, else its text at (x − 30, y + 15).
    std::optional<QString> readout;  // set only when the move is a read-out
};

// Everything a handler reads besides its own state.
struct PointerContext {
    BrantSettings &settings;
    ViewState &state;
    RecordingSlots &panes;
};

PressOutcome PointerDown(PointerState &pointer, const PointerContext &view, int button, int shift, double x, double y);
MoveOutcome PointerMove(PointerState &pointer, const PointerContext &view, int button, int shift, double x, double y);
// Returns whether the pointer shape goes back to the default.
bool PointerUp(PointerState &pointer, int button);
// Toggles SyncOn when both slots are drawn; true when it did.
bool PointerDoubleClick(ViewState &state, const RecordingSlots &panes);

// The depth under the pointer in millimetres, 0 where no band lies.
int DepthUnderPointer(const BrantSettings &settings, const RecordingSlots &panes, int R, double y);
QString DepthReadoutText(int depth);

} // namespace brantview

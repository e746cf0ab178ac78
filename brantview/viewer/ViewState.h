#pragma once
// The main window's view state that drawing, navigation, keys and the pointer share:
// which slots are drawn and how, the range, the picked calibration point. The stored
// display settings live in BrantSettings; this is what a session changes on the side.

#include "CalibrationRun.h"
#include "recording/RecordingSlot.h"
#include "recording/SegmentExport.h"
#include "recording/SideLists.h"

#include <array>
#include <cstdint>
#include <optional>

namespace brantview {

struct SelectedCalibration {
    int slot = 0;
    int32_t record = 0;  // index of the code-73 record
    int32_t x = 0;
    int32_t y = 0;
};

struct ViewState {
    int R = 0;  // right edge: the view's width in points
    double viewHeight = 0;  // inner height in points
    bool SingleView = false;
    bool SyncOn = false;
    bool SecondGroupShown = false;
    int HeaderMode = 0;
    bool SpliceOn = false;
    int DrawWidth = 2;  // dot size, the "点大小" slider
    bool AutoPlay = false;
    int DirectionForward = 0;
    std::array<int, 2> OffsetSelection{};  // "拼孔选择" per slot
    std::optional<SelectedCalibration> Selected;
    CalibrationRun LastCalibrationRun;  // of the last pick, for the calibration window
    RangeMarks Range;
    int DoubleProbeMode = 0;  // kept from the last newer-firmware block read
    // Drawing the print picture: the white marks and the frame lines take the foreground colour.
    bool PrintFlag = false;
};

// The side lists the headers name operators and lines by.
struct ViewSources {
    WorkNumberList workNumbers;
    LineNameList lineNames;
};

// Both slots are drawn when a second file is loaded and the single view is off.
inline bool bothSlotsDrawn(const ViewState &state, const RecordingSlots &panes)
{
    return !state.SingleView && panes.SecondLoaded;
}

} // namespace brantview

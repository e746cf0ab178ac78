#pragma once
// The picture of the calibration waveform window: the pane's rail outline, the
// measuring marks and the run's records, each at its run position, drawn by the
// main view's own echo and glyph routines.

#include "CalibrationWaveform.h"

#include "viewer/ViewCanvas.h"
#include "viewer/ViewState.h"

#include <QString>

#include <vector>

namespace brantview {

// Colours of the window's own lines and labels.
inline constexpr int32_t MeasureGreen = packedColour(96, 224, 128);
inline constexpr int32_t GroupBoundaryRed = packedColour(240, 15, 63);
inline constexpr int32_t GroupLabelBlue = packedColour(128, 128, 255);

// The pane's top margin in the window.
inline constexpr int CalibrationPaneTop = 30;
// Entries are drawn from this many positions before V …
inline constexpr int RunBeforeView = 350;
// … up to this many past the main view's width beyond V.
inline constexpr int RunAfterView = 200;
// Group labels closer than this are set apart toward the left.
inline constexpr int GroupLabelSpacing = 70;

// What the window draws with, besides its own state.
struct CalibrationDrawInputs {
    RecordingSlot &slot;  // its ViewStart stands in for V while drawing
    int slotIndex = 0;
    const BrantSettings &settings;
    const ViewState &state;  // the main view's: splice switch, second group
    int W = 0;               // the main view's width in points
    int drawWidth = 1;       // dot size
};

struct GroupLabelItem {
    QString text;
    double x = 0;
    double y = 0;
};

struct CalibrationPicture {
    size_t firstEntry = 0;    // index into the run of the first entry drawn
    size_t drawnEntries = 0;
    double top = 0;           // the pane
    double bottom = 0;
    std::vector<GroupLabelItem> labels;
};

// The label of a group's three bytes as they arrived: "(b1:b3→b2)".
QString groupLabelText(int b1, int b2, int b3);

// Draws the whole picture on `canvas` (its width is the window's, Wj).
CalibrationPicture drawJDB(ViewCanvas &canvas, const CalibrationWaveform &window, const CalibrationDrawInputs &inputs);

} // namespace brantview

#pragma once
// Setting up a slot's view after a load or a file switch: the scroll bar's range and
// value, the position text beside it, the step bars' range, and what the slot takes
// from the data in effect at its view (parameters, current column, channel offsets).

#include "recording/BrantSettings.h"
#include "recording/OffsetTable.h"
#include "recording/RecordingSlot.h"

#include <QString>

#include <cstdint>

namespace brantview {

// The position scroll bar: its value runs from Min (the end of the recording) to
// Max (the start); a value times ScrollScale (negative) is a ViewStart.
struct ScrollRange {
    int32_t Min = -1;
    int32_t Max = 1;
    int32_t ScrollScale = -340;

    bool operator==(const ScrollRange &) const = default;
};

ScrollRange ScrollRangeOf(const RecordingSlot &slot);

// The bar's value showing `viewStart`: ViewStart / ScrollScale rounded, halves to even,
// held within the bar's range.
int32_t ScrollValueOf(int64_t viewStart, const ScrollRange &range);
int32_t ViewStartOfScrollValue(int32_t value, const ScrollRange &range);

// `Text_dis`: the kilometres and metres of a ViewStart at the nominal Step, "1+234M".
QString ViewPositionText(int64_t viewStart);

// The highest auto and manual step the bars offer in a view R points wide: R − 150,
// but never below the smallest step.
int32_t StepBarMaximum(int R);

// What the main window shows after setting up a slot's view.
struct ViewSetUp {
    QString caption;      // of frmMain: "B超探伤---" and the file name
    QString slotCaption;  // of `Command_index`: "文件1" or "文件2"
    ScrollRange scroll;
    int32_t scrollValue = 0;
    QString Text_dis;
    int32_t stepBarMaximum = 1;
    // A serial number met for the first time added a row to the offset table, which
    // the caller writes now (SaveOffsetTable).
    bool offsetTableDue = false;
};

enum class ViewSetUpKind {
    FreshLoad,   // the view starts one scroll unit before the recording
    FileSwitch,  // the slot keeps its ViewStart
};

// Sets up the view of pane `slotIndex` (0 or 1) `R` points wide: ViewStart (fresh
// load), CurrentColumn, the parameters in effect, StepLength and SampleSpacing, and
// the slot's channel offsets for its selection "拼孔选择" (0..4) from the offset table.
ViewSetUp SetUpView(RecordingSlot &slot, int slotIndex, ViewSetUpKind kind, int R, int offsetSelection,
                    OffsetTable &offsetTable, ChannelValues &channelOffsets);

} // namespace brantview

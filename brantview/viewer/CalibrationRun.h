#pragma once
// The records a pull calibration wrote after a calibration point, laid out as a
// B-scan of their own: in the run every record advances by its step value, also
// those that never move the main view.

#include "recording/RecordingSlot.h"

#include <cstdint>
#include <vector>

namespace brantview {

struct CalibrationRunEntry {
    int32_t record = 0;    // index into the slot's Records
    int32_t position = 0;  // sum of the step values of the run up to and including this record
};

using CalibrationRun = std::vector<CalibrationRunEntry>;

// From the record after `pointRecord` up to and including the first echo record
// (code below 24), calibration packet byte (72) or "S"/"!" mark, or the last record.
CalibrationRun BuildCalibrationRun(const RecordingSlot &slot, int32_t pointRecord);

} // namespace brantview

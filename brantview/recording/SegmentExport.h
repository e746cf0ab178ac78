#pragma once
// The marked range of a recording ("起点", "终点") and its export ("储存"): the
// parameter packets in effect, then the raw records of the range, appended to a
// segment file that opens like any recording.

#include "RecordingSlot.h"

#include <QString>

namespace brantview {

struct RangeMarks {
    int32_t RangeStart = 0;
    int32_t RangeEnd = 0;
    int RangeState = 0;  // 0 no range, 1 start set, 2 end set
    double RangeLengthMm = 0.0;
    int PointerX = 0;    // screen x where the pop-up menu was opened

    void setStart(int32_t position);
    void setEnd(int32_t position);
    void clear() { RangeState = 0; }
};

// The position under screen x on a view whose right edge is `rightEdge`.
int32_t positionUnderPointer(const RecordingSlot &slot, int rightEdge, int pointerX);

// Appends the range between the two positions (either order) to `target` and
// returns the bytes appended. Throws BrantFileError "文件记录格式不对" for a target
// that is no segment file or is the recording itself, and BrantFileError with the
// reason when a file cannot be read or written; the target then stays as it was.
int64_t ExportSegment(const RecordingSlot &slot, int32_t from, int32_t to, const QString &target);

inline const QString SegmentRefusedText = QStringLiteral("文件记录格式不对");
inline const QString SegmentWrittenText = QStringLiteral("写入完成!!!");

} // namespace brantview

#include "CalibrationRun.h"

namespace brantview {

namespace {

bool endsRun(const StreamRecord &r)
{
    const int code = r.code();
    if (code < Code::Mark || code == Code::Calibration)
        return true;
    return code == Code::Mark && (r.data() == MarkKind::Restart || r.data() == MarkKind::ExitCalibration);
}

} // namespace

CalibrationRun BuildCalibrationRun(const RecordingSlot &slot, int32_t pointRecord)
{
    CalibrationRun run;
    int32_t position = 0;
    for (size_t i = size_t(pointRecord) + 1; pointRecord >= 0 && i < slot.Records.size(); ++i) {
        const StreamRecord r = slot.Records[i];
        position += r.step();
        run.push_back({int32_t(i), position});
        if (endsRun(r))
            break;
    }
    return run;
}

} // namespace brantview

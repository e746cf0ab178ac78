#include "Headers.h"

namespace brantview {

QStringList DrawFullHeader(ViewCanvas &, const RecordingSlot &, const BrantSettings &, const ViewSources &, ViewState &, double)
{
    return {};
}

QString DrawLineHeader(ViewCanvas &, const RecordingSlot &, const BrantSettings &, const ViewSources &, ViewState &, double, double)
{
    return {};
}

} // namespace brantview

#include "SlotView.h"

#include "ColumnRenderer.h"
#include "PacketLabels.h"
#include "ViewFrame.h"

#include "recording/FindTableEntry.h"

#include "common/NumberFormat.h"

namespace brantview {

namespace {

constexpr double RecordsPerBrowseUnit = 1330.0;

// The gains in effect before position p, so that the first gain text of the view
// shows what changed whatever was drawn before.
std::optional<GainsShown> gainsBefore(const RecordingSlot &slot, int64_t p)
{
    const std::optional<int> found = FindTableEntry(slot.GainTable, p);
    if (!found)
        return std::nullopt;
    int index = *found;
    while (index >= 0 && slot.GainTable[size_t(index)][0] >= p)
        --index;
    if (index < 0)
        return std::nullopt;
    const GainEntry &entry = slot.GainTable[size_t(index)];
    std::array<uint8_t, PacketLength::Gain> bytes{};
    for (size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = uint8_t(entry[k + 1]);
    return gainsOf(bytes.data());
}

} // namespace

QString DrawSlotView(SlotDrawing &view, int64_t lastPos, bool drawRange)
{
    RecordingSlot &slot = view.slot;
    view.X0 = 0;
    DrawFrame(view);
    slot.CalibrationHotSpots.clear();

    const std::optional<int> first = FindTableEntry(slot.Columns, int64_t(slot.ViewStart) - ColumnsBeforeView);
    const int firstRecord = first ? slot.Columns[size_t(*first)].first : 0;
    const QString browse = common::formatPattern(firstRecord / RecordsPerBrowseUnit, u"###0/")
        + common::formatPattern(slot.RecordCount / RecordsPerBrowseUnit, u"###0");

    if (first) {
        view.gainsShown = gainsBefore(slot, slot.Columns[size_t(*first)].position);
        ColumnRenderer renderer(view);
        const int count = int(slot.Columns.size());
        for (int col = *first; col < count; ++col) {
            if (slot.Columns[size_t(col)].position > lastPos)
                break;
            renderer.DrawColumn(col);
        }
        renderer.finish();
    }

    if (drawRange)
        DrawRange(view);
    if (const std::optional<SelectedCalibration> &selected = view.state.Selected;
        selected && selected->slot == view.slotIndex)
        view.canvas.dot(selected->x, selected->y, view.lineColour(White), 15);
    return browse;
}

} // namespace brantview

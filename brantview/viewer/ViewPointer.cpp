#include "ViewPointer.h"

#include "ViewKeys.h"
#include "ViewLayout.h"
#include "recording/ParamsInEffect.h"

#include "common/NumberFormat.h"

#include <cmath>

namespace brantview {

namespace {

// Margins as the pointer reads them: the layout table in use for dragging, the
// table without the second group for choosing a slot and reading depths.
int marginOf(const PointerContext &view, int slot)
{
    return topMargin(view.settings, view.state.SecondGroupShown, slot);
}

int plainMarginOf(const BrantSettings &settings, int slot)
{
    return topMargin(settings, false, slot);
}

SlotLayout layoutOf(const PointerContext &view, int slot)
{
    return slotLayout(view.settings, view.panes.Slots[size_t(slot)], view.state.R, marginOf(view, slot),
                      view.state.SecondGroupShown);
}

std::optional<CalibrationHotSpot> hotSpotAt(const RecordingSlot &slot, double x, double y)
{
    for (const CalibrationHotSpot &spot : slot.CalibrationHotSpots)
        if (x >= spot.x - 6 && x <= spot.x + 6 && y >= spot.y - 6 && y <= spot.y + 6)
            return spot;
    return std::nullopt;
}

// Moves one slot's picture by the pointer's travel when it stays within its limits.
bool dragSlot(RecordingSlot &slot, double x, float anchorX)
{
    const int64_t n = int64_t(slot.ViewStart) + std::lround(x) - std::lround(anchorX);
    if (n <= -300 || n >= LastViewPosition(slot))
        return false;
    slot.ViewStart = int32_t(n);
    return true;
}

MoveOutcome dragMargin(PointerState &pointer, const PointerContext &view, double y)
{
    const int slot = pointer.DragMargin - 1;
    int16_t &margin = topMarginSetting(view.settings, view.state.SecondGroupShown, slot);
    const int moved = int16_t(margin + std::lround(y - pointer.DragAnchorY));
    pointer.DragAnchorY = float(y);
    bool accepted;
    if (slot == 0)
        accepted = moved + layoutOf(view, 0).L < marginOf(view, 1) && moved > 28;
    else if (!view.state.SecondGroupShown)
        accepted = moved + layoutOf(view, 1).L < view.state.viewHeight && marginOf(view, 0) + layoutOf(view, 0).L < moved;
    else
        accepted = true;
    MoveOutcome out;
    if (accepted && moved != margin) {
        margin = int16_t(SettingRanges::TopMargin.clamp(int16_t(moved)));
        out.save = out.redraw = true;
    }
    return out;
}

MoveOutcome dragPicture(PointerState &pointer, const PointerContext &view, int button, int shift, double x, double y)
{
    MoveOutcome out;
    RecordingSlots &panes = view.panes;
    if (!bothSlotsDrawn(view.state, panes)) {
        if (dragSlot(panes.current(), x, pointer.DragAnchorX)) {
            pointer.DragAnchorX = float(x);
            out.focusBackward = out.scrollChanged = out.redraw = true;
        }
        return out;
    }
    if (button == PointerButton::Middle || shift == CtrlMask || !view.state.SyncOn) {
        const int slot = y >= marginOf(view, 1) ? 1 : 0;
        if (dragSlot(panes.Slots[size_t(slot)], x, pointer.DragAnchorX)) {
            pointer.DragAnchorX = float(x);
            out.scrollChanged = out.redraw = true;
        }
        return out;
    }
    dragSlot(panes.Slots[0], x, pointer.DragAnchorX);
    dragSlot(panes.Slots[1], x, pointer.DragAnchorX);
    pointer.DragAnchorX = float(x);
    out.scrollChanged = out.redraw = true;
    return out;
}

} // namespace

PressOutcome PointerDown(PointerState &pointer, const PointerContext &view, int button, int shift, double x, double y)
{
    (void)shift;
    PressOutcome out;
    ViewState &state = view.state;
    RecordingSlots &panes = view.panes;
    if (state.AutoPlay) {
        state.AutoPlay = false;
        out.stoppedAutoPlay = true;
        return out;
    }

    const bool both = bothSlotsDrawn(state, panes);
    for (int s = 0; s < (both ? 2 : 1); ++s) {
        if (const auto spot = hotSpotAt(panes.Slots[size_t(s)], x, y)) {
            panes.CurrentSlot = s;
            state.Selected = SelectedCalibration{s, spot->record, spot->x, spot->y};
            state.LastCalibrationRun = BuildCalibrationRun(panes.Slots[size_t(s)], spot->record);
            out.calibrationPicked = true;
            return out;
        }
    }

    if (button == PointerButton::Right) {
        if (both) {
            panes.CurrentSlot = y > plainMarginOf(view.settings, 1) ? 1 : 0;
            out.fileSet = true;
        }
        state.Range.PointerX = int(std::lround(x));
        PopupItems items;
        items.rangeEnd = state.Range.RangeState != 0;
        items.save = state.Range.RangeState == 2;
        items.markList = panes.current().ReviewMarkCount() > 0;
        out.popup = items;
        return out;
    }
    if (button != PointerButton::Left && button != PointerButton::Middle)
        return out;
    if (panes.SecondLoaded) {
        for (int s = 0; s < 2; ++s) {
            const int T = marginOf(view, s);
            if (T - 3 < y && y < T + 3) {
                pointer.DragMargin = s + 1;
                pointer.DragAnchorY = float(y);
                return out;
            }
        }
    }
    if (y > 30) {
        pointer.DragMargin = 0;
        pointer.PictureDrag = true;
        pointer.DragAnchorX = float(x);
        out.grabPointer = true;
    }
    return out;
}

MoveOutcome PointerMove(PointerState &pointer, const PointerContext &view, int button, int shift, double x, double y)
{
    if (pointer.DragMargin != 0)
        return dragMargin(pointer, view, y);
    if (y > 30 && (button == PointerButton::Left || button == PointerButton::Middle) && pointer.PictureDrag)
        return dragPicture(pointer, view, button, shift, x, y);
    MoveOutcome out;
    const int depth = y < 30 ? 0 : DepthUnderPointer(view.settings, view.panes, view.state.R, y);
    out.readout = depth == 0 ? QString() : DepthReadoutText(depth);
    return out;
}

bool PointerUp(PointerState &pointer, int button)
{
    pointer.DragMargin = 0;
    pointer.PictureDrag = false;
    return button == PointerButton::Left;
}

bool PointerDoubleClick(ViewState &state, const RecordingSlots &panes)
{
    if (!bothSlotsDrawn(state, panes))
        return false;
    state.SyncOn = !state.SyncOn;
    return true;
}

int DepthUnderPointer(const BrantSettings &settings, const RecordingSlots &panes, int R, double y)
{
    double depth = 0;
    const int shown = panes.SecondLoaded ? 2 : 1;
    for (int s = 0; s < shown; ++s) {
        const SlotLayout layout = slotLayout(settings, panes.Slots[size_t(s)], R, plainMarginOf(settings, s), false);
        const double T = layout.T;
        const double VS = layout.VS;
        const BandOffsets &b = layout.bands;
        if (T <= y && y <= T + layout.rail.RailDepth)
            depth = (y - T) * 2 / VS;
        if (T + b.B0 <= y && y < T + b.B1)
            depth = (y - T - b.B0) * 2 / VS;
        if (T + b.B1 <= y && y < T + b.B1 + 320)
            depth = (y - T - b.B1) * 2 / VS;
    }
    return int(std::lround(depth));
}

QString DepthReadoutText(int depth)
{
    return QStringLiteral("(H:") + common::formatPattern(depth, u"######") + QStringLiteral("毫米)");
}

} // namespace brantview

#include "Redraw.h"

#include "ColumnRenderer.h"
#include "Headers.h"
#include "SlotDrawing.h"
#include "SlotView.h"
#include "ViewLayout.h"

#include "recording/ParamsInEffect.h"

namespace brantview {

namespace {

// The top margin of the single view.
constexpr int SingleViewTop = 30;

std::optional<MileagePost> postOf(const RecordingSlot &slot)
{
    const MileagePost &post = slot.CurrentPost;
    if (post.position == 0 && post.mileageValue() == 0)
        return std::nullopt;
    return post;
}

struct SlotPass {
    RecordingSlots &panes;
    const BrantSettings &settings;
    ViewState &state;
    const ViewSources &sources;
    ViewCanvas &canvas;
    int rangeSlot;
    bool bothSlots;
    std::optional<int64_t> currentLastPos;

    SlotDrawReport draw(int s, int T, RedrawReport &report)
    {
        RecordingSlot &slot = panes.Slots[size_t(s)];
        TakeParamsInEffect(slot);
        const SlotLayout layout = slotLayout(settings, slot, state.R, T, state.SecondGroupShown);
        SlotDrawing view(canvas, slot, s, settings, state, layout, bothSlots);
        if (!bothSlots && layout.VS == 1)
            report.headerLines += DrawFullHeader(canvas, slot, settings, sources, state, T + layout.L + 70);
        SlotDrawReport slotReport;
        slotReport.slot = s;
        slotReport.T = T;
        slotReport.L = layout.L;
        slotReport.ViewStart = slot.ViewStart;
        const int64_t lastPos = s == rangeSlot && currentLastPos ? *currentLastPos
                                                                 : int64_t(slot.ViewStart) + state.R + ColumnsAfterView;
        slotReport.browseText = DrawSlotView(view, lastPos, s == rangeSlot);
        slotReport.dotsPerChannel = view.dotsPerChannel;
        slotReport.CurrentPost = postOf(slot);
        if (bothSlots && state.HeaderMode == 2)
            report.headerLines += DrawLineHeader(canvas, slot, settings, sources, state, 10, view.H);
        return slotReport;
    }
};

int slotTop(const BrantSettings &settings, const ViewState &state, bool both, int s)
{
    return both ? topMargin(settings, state.SecondGroupShown, s) : SingleViewTop;
}

} // namespace

RedrawReport Redraw(ViewCanvas &canvas, RecordingSlots &panes, const BrantSettings &settings, ViewState &state,
                    const ViewSources &sources, std::optional<int64_t> currentLastPos)
{
    canvas.clear(settings.BackColour);
    RedrawReport report;
    report.R = state.R;
    const int current = panes.CurrentSlot;
    const bool both = bothSlotsDrawn(state, panes);
    SlotPass pass{panes, settings, state, sources, canvas, current, both, currentLastPos};
    if (!both) {
        if (panes.current().isStream())
            report.slotReports.push_back(pass.draw(current, SingleViewTop, report));
        return report;
    }
    for (int s = 0; s < 2; ++s) {
        panes.CurrentSlot = s;
        if (panes.Slots[size_t(s)].isStream())
            report.slotReports.push_back(pass.draw(s, slotTop(settings, state, both, s), report));
    }
    panes.CurrentSlot = current;
    return report;
}

void DrawSingleColumn(ViewCanvas &canvas, RecordingSlots &panes, const BrantSettings &settings, const ViewState &state,
                      int s, int col)
{
    RecordingSlot &slot = panes.Slots[size_t(s)];
    if (!slot.isStream() || col < 0 || size_t(col) >= slot.Columns.size())
        return;
    const bool both = bothSlotsDrawn(state, panes);
    const SlotLayout layout = slotLayout(settings, slot, state.R, slotTop(settings, state, both, s), state.SecondGroupShown);
    SlotDrawing view(canvas, slot, s, settings, state, layout, both);
    ColumnRenderer(view).DrawColumn(col);
}

} // namespace brantview

#include "ViewFrame.h"

#include "common/NumberFormat.h"

#include <algorithm>

namespace brantview {

namespace {

constexpr int32_t SeparatorCyan = packedColour(0, 255, 255);
constexpr int32_t SeparatorGreen = packedColour(96, 224, 128);

QString distanceText(double metres)
{
    return common::formatPattern(metres, u"###0+##0.###") + QLatin1Char('M');
}

void horizontal(SlotDrawing &view, double y, int32_t colour, Qt::PenStyle style)
{
    view.canvas.line(0, y, view.layout.R, y, view.lineColour(colour), style);
}

// Ticks at whole multiples of the spacing hanging from the top line, labelled just
// below it: above it the label would run into the header row of the slot above.
void drawScale(SlotDrawing &view)
{
    const SlotLayout &layout = view.layout;
    const int32_t fore = view.settings.ForeColour;
    const double top = layout.T;
    const int64_t rightmost = view.slot.ViewStart;
    const int64_t leftmost = rightmost + layout.R;
    int64_t first = rightmost - rightmost % ScaleTickSteps;
    if (first < rightmost)
        first += ScaleTickSteps;
    first = std::max<int64_t>(first, 0);
    for (int64_t p = first; p <= leftmost; p += ScaleTickSteps) {
        const double x = layout.x(p, view.slot.ViewStart);
        view.canvas.line(x, top, x, top + 6, fore);
        view.canvas.text(x + 2, top + 1, distanceText(p * NominalStepM), fore, view.scaleFont);
    }
}

} // namespace

void DrawFrame(SlotDrawing &view)
{
    const SlotLayout &layout = view.layout;
    const double T = layout.T;
    horizontal(view, T, view.settings.ForeColour, Qt::DotLine);
    horizontal(view, T + layout.rail.HeadLine, SeparatorCyan, Qt::DotLine);
    horizontal(view, T + layout.bands.B0, SeparatorGreen, Qt::DashDotLine);
    if (layout.SecondGroupShown)
        horizontal(view, T + layout.bands.B2, SeparatorGreen, Qt::DashDotLine);
    horizontal(view, T + layout.bands.B1, SeparatorGreen, Qt::DashDotLine);
    horizontal(view, T + layout.L, view.settings.ForeColour, Qt::DotLine);
    if (view.settings.FishScaleLinesOn)
        horizontal(view, T + layout.VS * view.settings.FishScaleSpacing, SeparatorCyan, Qt::DashDotDotLine);
    drawScale(view);
}

void DrawRange(SlotDrawing &view)
{
    const RangeMarks &range = view.state.Range;
    if (range.RangeState == 0)
        return;
    const SlotLayout &layout = view.layout;
    const double bottom = layout.T + layout.L;
    const double start = view.x(range.RangeStart);
    view.canvas.line(start, layout.T, start, bottom, RangeGreen, Qt::DashDotLine);
    if (range.RangeState == 2) {
        const double end = view.x(range.RangeEnd);
        view.canvas.line(end, layout.T, end, bottom, RangeGreen, Qt::DashDotLine);
    }
    view.canvas.text(start - 80, layout.T + layout.bands.B0 + 60, distanceText(range.RangeLengthMm / 1000), RangeGreen,
                     view.textFont);
}

} // namespace brantview

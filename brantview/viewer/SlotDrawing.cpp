#include "SlotDrawing.h"

#include "recording/Packets.h"
#include "recording/ParamsInEffect.h"

namespace brantview {

SlotDrawing::SlotDrawing(ViewCanvas &canvas, RecordingSlot &slot, int slotIndex, const BrantSettings &settings,
                         const ViewState &state, const SlotLayout &layout, bool bothSlots)
    : canvas(canvas), slot(slot), slotIndex(slotIndex), settings(settings), state(state), layout(layout),
      bothSlots(bothSlots)
{
    const ChannelValues &offsets = settings.ChannelOffsets[size_t(slotIndex == 1 ? 1 : 0)];
    for (size_t k = 0; k < O.size(); ++k)
        O[k] = float(offsets[k]);
    const double line = layout.T + layout.L;
    const bool below = bothSlots && settings.HeaderBelow;
    G = below ? line - 40 : line + 2;
    H = below ? line - 20 : line + 20;
    glyphFont = viewFont(settings.TextFonts[0], 18);
    trendFont = viewFont(settings.TextFonts[0], 12);
    textFont = viewFont(settings.TextFonts[1]);
    calibrationFont = viewFont(settings.TextFonts[1], 12);
    scaleFont = viewFont(settings.TextFonts[1], 9);
    probes = probeConfigInEffect(slot, state.DoubleProbeMode);
    if (const ParamEntry *params = ParamsInEffect(slot))
        zeroReflection = ((paramBlockOf(*params).byte(37) >> 2) & 1) == 0;
}

double SlotDrawing::placeGlyph(double x, double w)
{
    if (X0 != 0 && X0 - x < w)
        x = X0 - w;
    X0 = x;
    return x;
}

} // namespace brantview

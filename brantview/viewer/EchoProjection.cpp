#include "EchoProjection.h"

#include <cmath>

namespace brantview {

namespace {

double bandOffset(const SlotLayout &layout, Band band)
{
    switch (band) {
    case Band::Top: return 0;
    case Band::B0: return layout.bands.B0;
    case Band::B1: return layout.bands.B1;
    case Band::B2: return layout.bands.B2;
    case Band::B1Marker: return layout.bands.B1 - 10;
    }
    return 0;
}

} // namespace

int PlotEcho(SlotDrawing &view, int d, int32_t p, int kind, float offset, int32_t colour)
{
    if (d == 0)
        return -1;
    const Projection &k = ProjectionKinds[size_t(kind)];
    const SlotLayout &layout = view.layout;
    // The offset moves the dot right on the screen, so it counts against the position;
    // the shifted position is rounded half to even.
    const double shifted = double(p) + d * k.reach / view.slot.StepLength - (view.state.SpliceOn ? offset : 0.0f);
    const int64_t pPrime = int64_t(std::nearbyint(shifted));
    const int x = int(int64_t(layout.R) - (pPrime - view.slot.ViewStart));
    if (x >= 0 && x <= layout.R) {
        const double y = layout.T + bandOffset(layout, k.band) + layout.VS * d * k.depthFactor;
        view.canvas.dot(x, y, colour, view.state.DrawWidth);
    }
    return x;
}

} // namespace brantview

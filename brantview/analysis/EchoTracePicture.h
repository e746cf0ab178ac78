#pragma once
// The pictures of the echo trace window, in twips: `PictureA` with one row per
// channel, its spikes, reference spikes, baselines and gates, and the three rulers
// around it.

#include "EchoTrace.h"

#include "recording/BrantSettings.h"

#include <QImage>

#include <vector>

namespace brantview {

// Sizes of the window's pictures, twips.
inline constexpr int TraceRowSpacing = 150;
inline constexpr int TraceRowsHalfSpan = 450;  // y0 = H / 2 − 450
inline constexpr int SpikeWidth = 100;
inline constexpr int GateRise = 20;
inline constexpr int RulerDepth = 600;
inline constexpr int TracePictureHeight = 3000;

struct TraceColours {
    int32_t back = Black;
    int32_t fore = White;
    ChannelValues channel{};
};

// Rows of the trace, top to bottom: y = y0 + 150 × row.
namespace TraceRow {
inline constexpr int Six = 0, One = 1, Two = 2, Three = 3, Four = 4, Zero = 5, DoubleProbe = 6;
}

struct TraceSpike {
    int row = 0;
    int x = 0;     // twips
    int y = 0;     // baseline
    int peak = 0;  // 0 (top edge) or H (bottom edge)
    int32_t colour = 0;
    int channel = 0;  // 0..8; the double-probe reference names the channel of its probe
};

struct TraceGate {
    int from = 0;  // x, twips
    int to = 0;
};

struct TraceBaseline {
    int row = 0;
    int y = 0;
    int entry = 0;  // of RailSetupTable
    bool plain = false;  // first bound 0: a plain white line
    std::vector<TraceGate> gates;
};

struct TraceDrawing {
    int Wd = 0;
    int H = 0;
    int y0 = 0;
    std::vector<TraceSpike> spikes;      // echoes of the column
    std::vector<TraceSpike> references;  // 0° back echo, double-probe reference
    std::vector<TraceBaseline> baselines;
    std::vector<int> unrangedChannels;   // echoes left out: the probe kind has no TraceRange
};

// Draws `PictureA` onto `image` (its size in pixels at `dpi` sets Wd and H).
TraceDrawing DrawEchoTrace(QImage &image, double dpi, const EchoTrace &trace, const TraceColours &colours);

// The edge of a ruler picture that faces the trace: its base line runs 10 twips inside it.
enum class RulerEdge { Bottom, Top, Right };

// A ruler: base line, ten divisions with long ticks, the numbers 1..9 at the inner ones,
// in the display font at 12 points.
void DrawTraceRuler(QImage &image, double dpi, RulerEdge edge, const TextFont &font, const TraceColours &colours);

// The window's four pictures in one image, as they lie in the window: `PictureAX_top`
// above `PictureA`, `PictureAY` to its left, `PictureAX` below. Wd and H in twips.
struct TraceWindowPicture {
    QImage image;
    TraceDrawing drawing;
};
TraceWindowPicture DrawTraceWindowPicture(int Wd, int H, double dpi, const EchoTrace &trace, const TextFont &font,
                                          const TraceColours &colours);

} // namespace brantview

// Stepping the echo trace one point, as "A显校对" does on every arrow click and timer
// tick: the column under the marker drawn again in the main view, and the trace
// picture. Beside them, the whole redraw of the same view that a jump costs.

#include "analysis/EchoTrace.h"
#include "analysis/EchoTracePicture.h"
#include "recording/ParamsInEffect.h"
#include "recording/RecordingLoader.h"
#include "synth/StreamSynth.h"
#include "viewer/Redraw.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <cmath>

namespace {

using namespace brantview;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kDpi = 96;
// The trace picture's height: 3000 twips at 96 dpi.
constexpr int kTraceHeight = 200;

struct Scene {
    RecordingSlots panes;
    BrantSettings settings;
    ViewState state;
    ViewSources sources;
    QImage view{kWidth, kHeight, QImage::Format_RGB32};

    Scene()
    {
        state.R = int(std::lround(kWidth * 72 / kDpi));
        state.viewHeight = kHeight * 72 / kDpi;
        state.DrawWidth = settings.PointSize;
        StreamSynthOptions options;
        options.length = 3000;
        options.seed = 20261211;
        RecordingSlot &slot = panes.Slots[0];
        slot = DecodeStreamBytes(synthesizeStream(options), QStringLiteral("QC0001.D01"));
        SetInitialView(slot);
        slot.ViewStart = 200000;
        slot.CurrentColumn = CurrentColumnOf(slot);
        ViewCanvas canvas(view, kDpi);
        Redraw(canvas, panes, settings, state, sources);
    }
};

Scene &scene()
{
    static Scene s;
    return s;
}

void BM_FullRedraw(benchmark::State &state)
{
    Scene &s = scene();
    ViewCanvas canvas(s.view, kDpi);
    for (auto _ : state) {
        Redraw(canvas, s.panes, s.settings, s.state, s.sources);
        benchmark::DoNotOptimize(s.view.constBits());
    }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

// The marker walks from the view's right edge to its left edge and starts again: the
// column under it found and drawn again in the main view.
void BM_SingleColumnFollow(benchmark::State &state)
{
    Scene &s = scene();
    RecordingSlot &slot = s.panes.Slots[0];
    const int W = s.state.R;
    ViewCanvas canvas(s.view, kDpi);
    int value = W;
    int64_t found = 0;
    for (auto _ : state) {
        if (--value < 0)
            value = W;
        const MainViewFollow follow = FollowInMainView(TraceAtMarker(slot, value, W, false), false);
        if (follow.column) {
            DrawSingleColumn(canvas, s.panes, s.settings, s.state, 0, *follow.column);
            ++found;
        }
        benchmark::DoNotOptimize(s.view.constBits());
    }
    state.counters["columns_found"] = benchmark::Counter(double(found) / double(state.iterations()));
}
BENCHMARK(BM_SingleColumnFollow)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

// The trace picture the window draws on every step, as wide as the view.
void BM_TracePicture(benchmark::State &state)
{
    Scene &s = scene();
    const RecordingSlot &slot = s.panes.Slots[0];
    const EchoTrace echoes = TraceAtMarker(slot, s.state.R / 2, s.state.R, false);
    const TraceColours colours{s.settings.BackColour, s.settings.ForeColour, s.settings.ChannelColour};
    QImage trace(kWidth, kTraceHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        DrawEchoTrace(trace, kDpi, echoes, colours);
        benchmark::DoNotOptimize(trace.constBits());
    }
}
BENCHMARK(BM_TracePicture)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace

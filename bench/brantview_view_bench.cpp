// One Brantview redraw of a full two-slot view at 1920 × 1080 (96 dpi), two dense
// synthesized recordings, beside a plain fill of an image of that size.

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

RecordingSlot synthesized(uint64_t seed)
{
    StreamSynthOptions options;
    options.length = 3000;
    options.seed = seed;
    return DecodeStreamBytes(synthesizeStream(options), QStringLiteral("QC0001.D01"));
}

// The right edge of the view of `width` Steps that holds the most records.
int32_t densestView(const RecordingSlot &slot, int width)
{
    size_t lo = 0;
    int32_t best = 0;
    int64_t bestRecords = -1;
    for (size_t hi = 0; hi < slot.Columns.size(); ++hi) {
        const Column top = slot.Columns[hi];
        while (slot.Columns[lo].position < top.position - width)
            ++lo;
        const int64_t records = top.last - slot.Columns[lo].first + 1;
        if (records > bestRecords) {
            bestRecords = records;
            best = slot.Columns[lo].position;
        }
    }
    return best;
}

struct Scene {
    RecordingSlots panes;
    BrantSettings settings;
    ViewState state;
    ViewSources sources;

    Scene()
    {
        state.R = int(std::lround(kWidth * 72 / kDpi));
        state.viewHeight = kHeight * 72 / kDpi;
        state.DrawWidth = settings.PointSize;
        for (int s = 0; s < 2; ++s) {
            RecordingSlot &slot = panes.Slots[size_t(s)];
            slot = synthesized(20261210 + uint64_t(s));
            SetInitialView(slot);
            slot.ViewStart = densestView(slot, state.R);
        }
        panes.SecondLoaded = true;
    }
};

Scene &scene()
{
    static Scene s;
    return s;
}

void BM_PlainFill(benchmark::State &state)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PlainFill)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_RedrawTwoSlots(benchmark::State &state)
{
    Scene &s = scene();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    ViewCanvas canvas(image, kDpi);
    int dots = 0;
    for (auto _ : state) {
        const RedrawReport report = Redraw(canvas, s.panes, s.settings, s.state, s.sources);
        dots = 0;
        for (const SlotDrawReport &slot : report.slotReports)
            for (const int n : slot.dotsPerChannel)
                dots += n;
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["dots"] = dots;
}
BENCHMARK(BM_RedrawTwoSlots)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace

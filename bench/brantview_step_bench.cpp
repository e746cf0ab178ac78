// A filtered step across a long stretch without hits: the worst case of the "<"
// button, which tests every view on the way to the end. Beside it the baseline, one
// plain pass over the same records reading each code and data byte.

#include "recording/ParamsInEffect.h"
#include "recording/RecordingLoader.h"
#include "recording/StreamWriter.h"
#include "viewer/Stepping.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

constexpr int64_t kBytes = int64_t(10) << 20;
constexpr int32_t kManualStep = 600;
constexpr int kR = 1440;

// Columns one Step apart, each with echoes on every family. Every series repeats each
// value once, so wherever a view begins no run reaches the threshold of 3; no record
// is a mark or an event.
QByteArray recordsWithoutHits()
{
    constexpr std::array<int, 6> codes = {1, 5, 11, 13, 3, 9};
    std::array<int, 6> sequence{};
    brantview::StreamWriter w;
    w.reserve(kBytes + 64);
    while (w.bytes().size() < kBytes) {
        for (size_t s = 0; s < codes.size(); ++s) {
            const int k = sequence[s]++;
            w.record(codes[s], 0, 10 + k / 2 % 200);
        }
        w.record(0, 1, 0);
    }
    return w.bytes();
}

brantview::RecordingSlot &slot()
{
    static brantview::RecordingSlot decoded =
        brantview::DecodeStreamBytes(recordsWithoutHits(), QStringLiteral("QC0001.D01"));
    return decoded;
}

int64_t recordBytes()
{
    return int64_t(slot().Records.size()) * brantview::RecordLength;
}

void BM_PlainPass(benchmark::State &state)
{
    const brantview::RecordingSlot &s = slot();
    for (auto _ : state) {
        uint64_t sum = 0;
        const uint8_t *record = s.Records.bytes();
        const uint8_t *const end = record + recordBytes();
        for (; record != end; record += brantview::RecordLength)
            sum += uint64_t(record[0] >> 1) + record[2];
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * recordBytes());
}

void BM_FilteredStepToTheEnd(benchmark::State &state)
{
    brantview::RecordingSlot &recording = slot();
    brantview::BrantSettings settings;
    settings.ManualStep = kManualStep;
    const brantview::StepFilter filter(settings, false);
    const int32_t start = brantview::ScrollScale(recording);
    const int64_t end = brantview::LastViewPosition(recording);
    for (auto _ : state) {
        recording.ViewStart = start;
        const brantview::StepOutcome outcome = brantview::StepView(recording, settings.ManualStep, kR, filter);
        if (outcome.stop != brantview::StepStop::End || recording.ViewStart != end) {
            state.SkipWithError("the step stopped before the end");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * recordBytes());
    state.counters["views_tested"] = double((end - start) / kManualStep);
    state.counters["columns"] = double(recording.Columns.size());
}

} // namespace

BENCHMARK(BM_PlainPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilteredStepToTheEnd)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

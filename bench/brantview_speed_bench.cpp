// The overspeed statistics over a large recording's mileage samples, against reading
// the same recording's bytes from the page cache into a reused buffer (the baseline),
// both as MB of recording a second. The statistics run with their workbook rows, at
// the window's default inputs and at a limit near the usual speed with no minimum
// length, where stretches are many and short.

#include "analysis/SpeedStatistics.h"
#include "recording/RecordingLoader.h"
#include "synth/StreamSynth.h"

#include "BenchFiles.h"

#include <benchmark/benchmark.h>

namespace {

using namespace brantview;

constexpr int64_t kMinimumBytes = int64_t(200) << 20;

const bench::SampleFile &sample()
{
    static const bench::SampleFile file(QStringLiteral("QC0001.D01"), [] {
        StreamSynthOptions options;
        options.length = 1;
        options.minimumBytes = kMinimumBytes;
        options.seed = 20261211;
        return synthesizeStream(options);
    }());
    return file;
}

const RecordingSlot &slot()
{
    static const RecordingSlot loaded = LoadRecordingFile(sample().path(), true, {});
    return loaded;
}

void BM_ReadIntoReusedBuffer(benchmark::State &state)
{
    bench::readIntoReusedBuffer(state, sample());
}

void BM_Statistic(benchmark::State &state)
{
    const auto statistic = SpeedStatistic(state.range(0));
    const SpeedInputs inputs = state.range(1) == 0 ? SpeedInputs{} : SpeedInputs{4.0, 0, 1, 2};
    const RecordingSlot &recording = slot();
    qsizetype lines = 0;
    for (auto _ : state) {
        const SpeedReport report = RunSpeedStatistic(statistic, recording, inputs, true);
        lines = report.listLines.size();
        benchmark::DoNotOptimize(report.rows.data());
    }
    state.SetBytesProcessed(state.iterations() * sample().size());
    state.counters["samples"] = double(recording.MileageTable.size());
    state.counters["lines"] = double(lines);
}

// The double-click on the first listed place: the search runs back from the end.
void BM_JumpTarget(benchmark::State &state)
{
    const RecordingSlot &recording = slot();
    const QString line = WholeLineOverspeed(recording.MileageTable, recording.SampleSpacing, {}, false).listLines.at(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(SpeedJumpTarget(1, line, recording.MileageTable));
    state.SetBytesProcessed(state.iterations() * sample().size());
}

} // namespace

BENCHMARK(BM_ReadIntoReusedBuffer)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Statistic)
    ->ArgNames({"statistic", "dense"})
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);
BENCHMARK(BM_JumpTarget)->Unit(benchmark::kMillisecond)->MinTime(0.5);

BENCHMARK_MAIN();

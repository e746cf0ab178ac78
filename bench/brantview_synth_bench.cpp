// Making a sample Brantel stream of 100 MB, the size the load benchmarks read, against
// filling a fresh buffer of that size with one byte value.

#include "synth/StreamSynth.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

namespace {

constexpr qsizetype kStreamBytes = qsizetype(100) << 20;

void SynthesizeStream(benchmark::State &state)
{
    brantview::StreamSynthOptions options;
    options.length = 1;
    options.minimumBytes = kStreamBytes;
    options.firmwareVersion = int(state.range(0));
    options.reviewer = "bench";
    int64_t bytes = 0;
    for (auto _ : state) {
        const QByteArray stream = brantview::synthesizeStream(options);
        benchmark::DoNotOptimize(stream.constData());
        bytes += stream.size();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(SynthesizeStream)->Arg(650)->Arg(720)->Unit(benchmark::kMillisecond)->Iterations(3);

void FillBuffer(benchmark::State &state)
{
    int64_t bytes = 0;
    for (auto _ : state) {
        const QByteArray filled(kStreamBytes, char(0x16));
        benchmark::DoNotOptimize(filled.constData());
        bytes += filled.size();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(FillBuffer)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

// Loading a Brantel stream: decoding it from memory, and the whole load against
// reading the same bytes from the page cache into a reused buffer (the baseline)
// and into fresh memory; the memory a loaded slot holds.

#include "recording/RecordingErrors.h"
#include "recording/RecordingLoader.h"
#include "common/ReadWholeFile.h"

#include "BenchFiles.h"
#include "LongStreamSample.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {


const bench::SampleFile &sample()
{
    return bench::longStreamSample();
}

void BM_ReadIntoReusedBuffer(benchmark::State &state)
{
    bench::readIntoReusedBuffer(state, sample());
}

void BM_PlainRead(benchmark::State &state)
{
    bench::readIntoFreshBuffer(state, sample());
}

// The loader's own read: the whole file into memory of its own.
void BM_ReadWholeFile(benchmark::State &state)
{
    const bench::SampleFile &file = sample();
    for (auto _ : state) {
        const common::FileBuffer bytes = common::readWholeFile(file.path());
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * file.size());
}

// The decoding pass alone, over a copy of the file made outside the timing.
void BM_DecodeStream(benchmark::State &state)
{
    const bench::SampleFile &file = sample();
    const common::FileBuffer read = common::readWholeFile(file.path());
    const QByteArray bytes(read.data(), qsizetype(read.size()));
    size_t columns = 0;
    for (auto _ : state) {
        state.PauseTiming();
        common::FileBuffer buffer(size_t(bytes.size()));
        std::memcpy(buffer.data(), bytes.constData(), size_t(bytes.size()));
        brantview::RecordingSlot slot;
        state.ResumeTiming();
        brantview::DecodeStream(std::move(buffer), bytes.size(), slot);
        columns = slot.Columns.size();
        benchmark::DoNotOptimize(slot.Columns.size());
        state.PauseTiming();
        slot = {};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * file.size());
    state.counters["columns"] = double(columns);
}

void BM_LoadRecordingFile(benchmark::State &state)
{
    const bench::SampleFile &file = sample();
    try {
        const qint64 before = bench::residentBytes();
        const brantview::RecordingSlot opened = brantview::LoadRecordingFile(file.path(), true, {});
        state.counters["memory_ratio"] = double(bench::residentBytes() - before) / double(file.size());
        state.counters["records_per_column"] = double(opened.Records.size()) / double(opened.Columns.size());
        for (auto _ : state) {
            const brantview::RecordingSlot slot = brantview::LoadRecordingFile(file.path(), true, {});
            benchmark::DoNotOptimize(slot.Columns.size());
        }
    } catch (const brantview::BrantFileError &error) {
        state.SkipWithError(error.what());
    }
    state.SetBytesProcessed(state.iterations() * file.size());
    state.counters["file_MB"] = double(file.size()) / (1 << 20);
}

} // namespace

BENCHMARK(BM_ReadIntoReusedBuffer)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DecodeStream)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadRecordingFile)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();

// Loading a .std recording: the loader against reading the same bytes from the
// page cache into a buffer that is reused (the baseline: no fresh pages to fault in)
// and into a fresh one, the event indexes alone, and the memory an opened recording holds.

#include "recording/STDDataOperation.h"
#include "synth/StdSynth.h"
#include "windows/EventRows.h"

#include "BenchFiles.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr qint64 kMinimumBytes = 200ll << 20;

// One sample recording of at least kMinimumBytes.
struct SampleRecording {
    double metres = 0;
    bench::SampleFile file;

    SampleRecording() : file(QStringLiteral("sample.std"), bytes(metres)) {}

    static QByteArray bytes(double &metres)
    {
        StdSynthOptions options;
        options.subFiles = 8;
        options.seed = 20240312;
        // Size the recording from a short one made with the same options.
        options.metres = 1000;
        const double bytesPerMetre = double(synthesizeStd(options).size()) / options.metres;
        options.metres = std::ceil(double(kMinimumBytes) * 1.02 / bytesPerMetre);
        QByteArray made = synthesizeStd(options);
        while (made.size() < kMinimumBytes) {
            options.metres *= 1.05;
            made = synthesizeStd(options);
        }
        metres = options.metres;
        return made;
    }
    const QString &path() const { return file.path(); }
    qint64 size() const { return file.size(); }
};

const SampleRecording &sample()
{
    static const SampleRecording recording;
    return recording;
}

void loadOrFail(mystdfile &file, const QString &path, benchmark::State &state)
{
    try {
        file.LoadStdFile(path);
    } catch (const StdFileError &error) {
        state.SkipWithError(error.what());
    }
}

void BM_ReadIntoReusedBuffer(benchmark::State &state)
{
    bench::readIntoReusedBuffer(state, sample().file);
}

void BM_PlainRead(benchmark::State &state)
{
    bench::readIntoFreshBuffer(state, sample().file);
}

void BM_LoadStdFile(benchmark::State &state)
{
    const SampleRecording &recording = sample();
    {
        const qint64 before = bench::residentBytes();
        mystdfile opened;
        loadOrFail(opened, recording.path(), state);
        state.counters["memory_ratio"] = double(bench::residentBytes() - before) / double(recording.size());
    }
    for (auto _ : state) {
        mystdfile file;
        loadOrFail(file, recording.path(), state);
        benchmark::DoNotOptimize(file.std_filecount);
    }
    state.SetBytesProcessed(state.iterations() * recording.size());
    state.counters["file_MB"] = double(recording.size()) / (1 << 20);
    state.counters["metres"] = recording.metres;
}

void BM_CalEvent(benchmark::State &state)
{
    const SampleRecording &recording = sample();
    mystdfile file;
    loadOrFail(file, recording.path(), state);
    for (auto _ : state) {
        file.CalEvent();
        benchmark::DoNotOptimize(file.std_RecordIndex.data());
    }
    state.SetBytesProcessed(state.iterations() * recording.size());
}

// A whole-recording scan of the event filter: every event row with every kind ticked.
void BM_EventRows(benchmark::State &state)
{
    const SampleRecording &recording = sample();
    mystdfile file;
    loadOrFail(file, recording.path(), state);
    EventKindTicks all;
    all.fill(true);
    size_t rows = 0;
    for (auto _ : state) {
        const std::vector<EventRow> found = eventRows(file, all);
        rows = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.SetBytesProcessed(state.iterations() * recording.size());
    state.counters["rows"] = double(rows);
}

} // namespace

BENCHMARK(BM_ReadIntoReusedBuffer)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadStdFile)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CalEvent)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_EventRows)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();

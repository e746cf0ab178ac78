// Loading a .std recording: the loader against reading the same bytes from the
// page cache into a buffer that is reused (the baseline: no fresh pages to fault in)
// and into a fresh one, the event indexes alone, and the memory an opened recording holds.

#include "recording/STDDataOperation.h"
#include "synth/StdSynth.h"
#include "windows/EventRows.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <cstdio>

namespace {

constexpr qint64 kMinimumBytes = 200ll << 20;

// One sample recording of at least kMinimumBytes, written once to a temporary folder.
class SampleRecording {
public:
    SampleRecording()
    {
        StdSynthOptions options;
        options.subFiles = 8;
        options.seed = 20240312;
        // Size the recording from a short one made with the same options.
        options.metres = 1000;
        const double bytesPerMetre = double(synthesizeStd(options).size()) / options.metres;
        options.metres = std::ceil(double(kMinimumBytes) * 1.02 / bytesPerMetre);
        QByteArray bytes = synthesizeStd(options);
        while (bytes.size() < kMinimumBytes) {
            options.metres *= 1.05;
            bytes = synthesizeStd(options);
        }
        m_path = m_dir.filePath(QStringLiteral("sample.std"));
        QFile file(m_path);
        if (!m_dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write the sample recording %s\n", qPrintable(m_path));
            std::exit(1);
        }
        m_size = bytes.size();
        m_metres = options.metres;
    }

    const QString &path() const { return m_path; }
    qint64 size() const { return m_size; }
    double metres() const { return m_metres; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    qint64 m_size = 0;
    double m_metres = 0;
};

const SampleRecording &sample()
{
    static const SampleRecording recording;
    return recording;
}

// Resident set of this process in bytes, 0 where /proc is not there.
qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return 0;
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
    const SampleRecording &recording = sample();
    QByteArray buffer(recording.size(), Qt::Uninitialized);
    for (auto _ : state) {
        QFile file(recording.path());
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)
            || file.read(buffer.data(), buffer.size()) != buffer.size()) {
            state.SkipWithError("cannot read the sample recording");
            break;
        }
        benchmark::DoNotOptimize(buffer.constData());
    }
    state.SetBytesProcessed(state.iterations() * recording.size());
    state.counters["file_MB"] = double(recording.size()) / (1 << 20);
}

void BM_PlainRead(benchmark::State &state)
{
    const SampleRecording &recording = sample();
    for (auto _ : state) {
        QFile file(recording.path());
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the sample recording");
            break;
        }
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * recording.size());
    state.counters["file_MB"] = double(recording.size()) / (1 << 20);
}

void BM_LoadStdFile(benchmark::State &state)
{
    const SampleRecording &recording = sample();
    {
        const qint64 before = residentBytes();
        mystdfile opened;
        loadOrFail(opened, recording.path(), state);
        state.counters["memory_ratio"] = double(residentBytes() - before) / double(recording.size());
    }
    for (auto _ : state) {
        mystdfile file;
        loadOrFail(file, recording.path(), state);
        benchmark::DoNotOptimize(file.std_filecount);
    }
    state.SetBytesProcessed(state.iterations() * recording.size());
    state.counters["file_MB"] = double(recording.size()) / (1 << 20);
    state.counters["metres"] = recording.metres();
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

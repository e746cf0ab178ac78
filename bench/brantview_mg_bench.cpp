// The management report over a large management file: loading it, the raw dump text,
// and the whole report filled into an in-memory workbook (not written), each beside
// the baseline of reading the same bytes from the page cache into a reused buffer.

#include "analysis/ManagementReport.h"
#include "synth/ManagementSynth.h"

#include "BenchFiles.h"

#include <benchmark/benchmark.h>

namespace {

const bench::SampleFile &sample()
{
    // Some 2 MB: about 130 000 records, ten years of daily use.
    static const bench::SampleFile file(QStringLiteral("MG0001.DAT"),
                                        brantview::synthesizeManagementFile({4000, 20261210}));
    return file;
}

void BM_ReadIntoReusedBuffer(benchmark::State &state)
{
    bench::readIntoReusedBuffer(state, sample());
}

void BM_LoadManagementFile(benchmark::State &state)
{
    const bench::SampleFile &file = sample();
    for (auto _ : state) {
        const auto records = brantview::LoadManagementFile(file.path());
        benchmark::DoNotOptimize(records.data());
    }
    state.SetBytesProcessed(state.iterations() * file.size());
}

void BM_DumpText(benchmark::State &state)
{
    const bench::SampleFile &file = sample();
    const auto records = brantview::LoadManagementFile(file.path());
    for (auto _ : state) {
        const QByteArray text = brantview::ManagementDumpText(records);
        benchmark::DoNotOptimize(text.constData());
    }
    state.SetBytesProcessed(state.iterations() * file.size());
}

// The scan under the report: its day groups and their power periods, without cells.
void BM_GroupsAndPeriods(benchmark::State &state)
{
    const bench::SampleFile &file = sample();
    const auto records = brantview::LoadManagementFile(file.path());
    for (auto _ : state) {
        size_t periods = 0;
        for (const brantview::DayGroup &group : brantview::DayGroups(records))
            periods += brantview::PowerPeriods(records, group).periods.size();
        benchmark::DoNotOptimize(periods);
    }
    state.SetBytesProcessed(state.iterations() * file.size());
}

void BM_FillReport(benchmark::State &state)
{
    const bench::SampleFile &file = sample();
    const auto records = brantview::LoadManagementFile(file.path());
    for (auto _ : state) {
        Workbook book;
        brantview::FillManagementReport(book, records, {});
        benchmark::DoNotOptimize(book.sheetCount());
    }
    state.SetBytesProcessed(state.iterations() * file.size());
    state.counters["records"] = double(records.size());
    state.counters["file_MB"] = double(file.size()) / (1 << 20);
}

} // namespace

BENCHMARK(BM_ReadIntoReusedBuffer)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_LoadManagementFile)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_DumpText)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_GroupsAndPeriods)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_FillReport)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();

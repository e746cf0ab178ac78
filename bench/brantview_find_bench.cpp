// The mark search's worst case: "向前查找" from the start of a long synthesized record
// that holds none of the chosen records, so every record is looked at: switch records
// with a number the record never names, each of them judged in full. Beside
// it the baseline, the same file read from the page cache into a reused buffer.

#include "analysis/MarkFind.h"
#include "recording/ParamsInEffect.h"
#include "recording/RecordingLoader.h"

#include "BenchFiles.h"
#include "LongStreamSample.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kR = 1200;

const bench::SampleFile &sample()
{
    return bench::longStreamSample();
}

brantview::RecordingSlot &slot()
{
    static brantview::RecordingSlot loaded = [] {
        brantview::RecordingSlot s = brantview::LoadRecordingFile(sample().path(), true, QDateTime::currentDateTime());
        brantview::SetInitialView(s);
        return s;
    }();
    return loaded;
}

void BM_ReadIntoReusedBuffer(benchmark::State &state)
{
    bench::readIntoReusedBuffer(state, sample());
}

void BM_ForwardMarkSearchFindingNothing(benchmark::State &state)
{
    const brantview::RecordingSlot &recording = slot();
    brantview::MarkFindCriteria criteria;
    criteria.CheckC = true;
    criteria.switchNumber = 9999;
    for (auto _ : state) {
        const brantview::MarkFindStep step =
            brantview::FindMark(recording, criteria, brantview::MarkFindDirection::Forward, kR);
        if (step.outcome != brantview::MarkFindStep::Outcome::End) {
            state.SkipWithError("the search found a record");
            break;
        }
    }
    const int64_t bytes = int64_t(recording.Records.size()) * brantview::RecordLength;
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["recording_MB"] = double(bytes) / (1 << 20);
    state.counters["switch_records"] = double(recording.MarkCounts[brantview::MarkCountIndex::Switch]);
}

} // namespace

BENCHMARK(BM_ReadIntoReusedBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ForwardMarkSearchFindingNothing)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

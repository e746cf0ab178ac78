#include "StdSynth.h"

#include "recording/StdFileImage.h"
#include "recording/StdFormat.h"
#include "SynthParameters.h"
#include "common/SynthRandom.h"
#include "SynthRun.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kP60 = 2, kP50 = 1;
constexpr SynthClock kDay = 86400;

enum StreamPart : uint64_t { Recording = 0 };

// Runs of roughly equal length; tiny recordings are split evenly.
std::vector<int64_t> splitRows(int64_t total, int runs, common::SynthRandom &random)
{
    std::vector<int64_t> rows(static_cast<size_t>(runs), total / runs);
    if (total >= 100 * int64_t(runs)) {
        std::vector<int64_t> weights(static_cast<size_t>(runs));
        int64_t sum = 0;
        for (int64_t &w : weights)
            sum += w = random.between(85, 115);
        for (int i = 0; i < runs; ++i)
            rows[i] = total * weights[i] / sum;
    }
    int64_t assigned = 0;
    for (int i = 0; i + 1 < runs; ++i)
        assigned += rows[i];
    rows.back() = total - assigned;
    return rows;
}

// Work starts in the morning; a run that would not end before midnight starts the next morning.
SynthClock nextRunStart(SynthClock clock, int64_t rows, common::SynthRandom &random)
{
    const SynthClock expected = rows / StdFormat::RowsPerMetre * 3 / 2;  // about 2.4 km/h
    if (expected < kDay / 2 && clock % kDay + expected > kDay - 600)
        return (clock / kDay + 1) * kDay + 8 * 3600 + random.below(1800);
    return clock;
}

} // namespace

QByteArray synthesizeStd(const StdSynthOptions &options)
{
    const int runs = std::max(1, options.subFiles);
    const double metres = std::isfinite(options.metres) ? std::max(0.0, options.metres) : 0.0;
    const int64_t totalRows = std::max<int64_t>(std::llround(metres * StdFormat::RowsPerMetre), runs);
    common::SynthRandom random = common::SynthRandom::stream(options.seed, Recording);
    const SynthProfile profile = makeSynthProfile(options.version, random);
    const std::vector<int64_t> rows = splitRows(totalRows, runs, random);

    SynthRunState state;
    const int64_t totalMetres = totalRows / StdFormat::RowsPerMetre;
    state.mileageMetres = random.between(100000, 900000) + (profile.direction == 1 ? totalMetres + 100 : 0);
    state.clock = (8766 + random.below(365)) * kDay + 8 * 3600 + random.below(5400);  // a day of 2024
    state.speed = int(random.between(500, 700));
    state.operatorIndex = 0;
    for (auto &railRow : state.deltaGain)
        for (float &offset : railRow)
            offset = 0.5f * float(random.between(-3, 4));

    // The rail changes from P60 to P50 in the second run (in the only one, when there is one).
    const int switchRun = runs > 1 ? 1 : 0;
    StdFileImage image;
    image.rawEchoCodes = options.rawDigits;
    image.subFiles.resize(size_t(runs));
    int railType = kP60;
    int64_t firstRow = 0;
    for (int i = 0; i < runs; ++i) {
        SynthRunPlan plan;
        plan.index = i;
        plan.firstRow = firstRow;
        plan.rows = rows[i];
        plan.railType = plan.railTypeAfter = railType;
        if (i == switchRun && plan.rows > 1) {
            plan.railSwitchRow = plan.rows * 11 / 20;
            plan.railTypeAfter = kP50;
        }
        plan.startMark = i == 0;
        plan.endMark = i == runs - 1;
        plan.operatorChange = i == runs / 2;
        plan.mileageCorrection = i == runs - 1;
        plan.closeFlawAlarms = i == 0;

        state.clock = nextRunStart(state.clock, plan.rows, random);
        SynthRunStart start;
        start.index = i;
        start.railType = railType;
        start.mileageMetres = state.mileageMetres;
        start.clock = state.clock;
        start.operatorIndex = state.operatorIndex;
        start.deltaGain = state.deltaGain;
        start.curve = random.oneIn(3);

        SubFileImage &sub = image.subFiles[size_t(i)];
        sub.para = synthRunParameters(profile, start);
        const SynthRunEnd end = writeSynthRun(sub, plan, profile, state, options.seed);
        finishSynthRunParameters(sub.para, end);
        sub.findData = synthFindData(start.clock, end.clock);

        railType = plan.railTypeAfter;
        firstRow += plan.rows;
        state.clock += random.between(120, 900);  // a pause between runs
    }
    return image.build();
}

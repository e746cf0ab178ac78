#include "SynthRun.h"

#include "recording/StdFormat.h"
#include "SynthEchoes.h"
#include "common/SynthRandom.h"
#include "SynthTrack.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr int64_t kRowsPerMetre = StdFormat::RowsPerMetre;
constexpr int kSlowest = 380, kFastest = 880;  // raw speed: 1.9 .. 4.4 km/h, the limit is 4 km/h

enum StreamPart : uint64_t { Records = 0x3000, Scan = 0x4000 };

struct PlannedRecord {
    int64_t row;
    TPACKET packet;
};

class RecordPlan {
public:
    explicit RecordPlan(int64_t rows) : m_rows(rows) {}

    void add(int64_t row, char16_t cmd, int data1 = 0)
    {
        m_records.push_back({std::clamp<int64_t>(row, 0, m_rows - 1), makePacket(cmd, int16_t(data1))});
    }
    // In row order; records of one row keep the order they were planned in.
    std::vector<PlannedRecord> sorted()
    {
        std::stable_sort(m_records.begin(), m_records.end(),
                         [](const PlannedRecord &a, const PlannedRecord &b) { return a.row < b.row; });
        return std::move(m_records);
    }

private:
    int64_t m_rows;
    std::vector<PlannedRecord> m_records;
};

void planOperatorEvents(RecordPlan &plan, const SynthRunPlan &run, common::SynthRandom &random)
{
    const int64_t rows = run.rows;
    if (run.startMark)
        plan.add(2, u'J');
    if (run.endMark)
        plan.add(rows - 3, u'K');
    // A mark the operator takes back a few rows later.
    const int64_t taken = random.below(rows);
    plan.add(taken, random.oneIn(2) ? u'A' : u'C');
    plan.add(taken + random.between(3, 12), u'P');
    static constexpr char16_t kScattered[] = {u'A', u'A', u'A', u'C', u'E', u'F', u'F', u'G', u'H'};
    const int64_t count = 1 + rows / 125000;
    for (int64_t n = 0; n < count; ++n) {
        const char16_t kind = kScattered[random.below(std::size(kScattered))];
        const int64_t row = random.below(rows);
        plan.add(row, kind);
        if (kind == u'H')
            plan.add(row + random.between(40, 200), u'I');  // forward again after backing up
    }
    static constexpr int kTurnoutNumbers[] = {9, 12, 18};
    const int64_t turnouts = (run.index == 0 ? 1 : random.below(2)) + rows / 1000000;
    for (int64_t n = 0; n < turnouts; ++n)
        plan.add(random.below(rows), u'D', kTurnoutNumbers[random.below(std::size(kTurnoutNumbers))]);
}

void planTrackEvents(RecordPlan &plan, const SynthRunPlan &run, const TrackFeatures &track, common::SynthRandom &random)
{
    for (int64_t weld : track.weldRows)
        if (random.oneIn(2))
            plan.add(weld, u'L');
    for (size_t i = 0; i < track.flawRows.size(); ++i) {
        const int64_t at = track.flawRows[i] + random.between(0, 10);
        if (run.closeFlawAlarms && i < 2) {
            // Three alarms, then two, closer together than the event list's grouping distance.
            const int alarms = i == 0 ? 3 : 2;
            const int spacing = i == 0 ? 15 : 20;
            for (int a = 0; a < alarms; ++a)
                plan.add(at + a * spacing, u'B');
        } else if (!random.oneIn(3)) {
            plan.add(at, u'B');
        }
    }
    if (run.railSwitchRow >= 0)
        plan.add(run.railSwitchRow, u'N', run.railTypeAfter);
}

// Gain changes at a few rows, one of them changing two channels; each record
// carries the channel's new total gain, in 0.1 dB, for the run's own rail type.
void planGainChanges(RecordPlan &plan, const SynthRunPlan &run, const SynthProfile &profile, SynthGainTable &delta,
                     common::SynthRandom &random)
{
    if (run.rows < 2)
        return;
    const int r = StdFormat::railRow(run.railType);
    std::vector<int64_t> rows(static_cast<size_t>(3 + random.below(2)));
    for (int64_t &row : rows)
        row = random.between(1, run.rows - 1);
    std::sort(rows.begin(), rows.end());
    const size_t twoChannels = size_t(random.below(int64_t(rows.size())));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int first = int(random.below(9));
        const int channels[2] = {first, (first + 1 + int(random.below(8))) % 9};
        for (int k = 0; k < (i == twoChannels ? 2 : 1); ++k) {
            const int ch = channels[k];
            const float step = 0.5f * float(random.between(1, 6)) * (random.oneIn(2) ? -1.0f : 1.0f);
            float &offset = delta[r][ch];
            offset = std::clamp(offset + step, -6.0f, 8.0f);
            plan.add(rows[i], char16_t(u'a' + ch), int(std::lround((profile.gain[r][ch] + offset) * 10)));
        }
    }
}

struct Standstill {
    int64_t row;
    int repeats;
};

std::vector<Standstill> planStandstills(int64_t rows, common::SynthRandom &random)
{
    std::vector<Standstill> stops;
    if (rows >= 2000) {
        for (int64_t n = 1 + random.below(3); n > 0; --n)
            stops.push_back({random.below(rows), int(random.between(5, 40))});
        std::sort(stops.begin(), stops.end(), [](const Standstill &a, const Standstill &b) { return a.row < b.row; });
    }
    return stops;
}

void sortByChannel(std::vector<TPACKET> &echoes)
{
    for (size_t i = 1; i < echoes.size(); ++i)
        for (size_t j = i; j > 0 && echoes[j - 1].m_Cmd > echoes[j].m_Cmd; --j)
            std::swap(echoes[j - 1], echoes[j]);
}

TPACKET echoPacket(int channel, int data, int length)
{
    const int start = std::clamp(data, 1, 399 - length);
    return makePacket(char16_t(u'0' + channel), int16_t(start), int16_t(start + length));
}

} // namespace

SynthRunEnd writeSynthRun(SubFileImage &sub, const SynthRunPlan &run, const SynthProfile &profile,
                          SynthRunState &state, uint64_t seed)
{
    const int64_t rows = run.rows;
    const EchoPlacer placer(sub.para, run.firstRow, run.railType, run.railTypeAfter, run.railSwitchRow);
    const TrackFeatures track = synthTrackFeatures(placer, seed, run.index, run.firstRow, rows);

    common::SynthRandom random = common::SynthRandom::stream(seed, Records + uint64_t(run.index));
    RecordPlan plan(rows);
    planOperatorEvents(plan, run, random);
    planTrackEvents(plan, run, track, random);
    planGainChanges(plan, run, profile, state.deltaGain, random);
    if (run.operatorChange) {
        state.operatorIndex = (state.operatorIndex + 1) % int(profile.operators.size());
        plan.add(random.between(rows / 4, rows * 3 / 4), u'U', profile.operators[state.operatorIndex].number);
    }
    int64_t correctionRow = -1;
    int correctionMetres = 0;
    if (run.mileageCorrection) {
        const int64_t metres = rows / kRowsPerMetre;
        correctionRow = metres >= 2 ? random.between(1, metres - 1) * kRowsPerMetre : 0;
        correctionMetres = int(random.between(1, 3)) * (random.oneIn(2) ? -1 : 1);
        plan.add(correctionRow, u'V');
    }
    const std::vector<PlannedRecord> records = plan.sorted();
    const std::vector<Standstill> stops = planStandstills(rows, random);

    sub.rowIndex.reserve(size_t(rows) + 256);
    sub.packets.reserve(size_t(rows) * 9 / 4 + 1024);

    const int sense = sub.para.m_Direction == 1 ? -1 : 1;
    const SynthClock startClock = state.clock;
    double elapsed = 0;  // seconds
    int64_t correction = 0, speedSum = 0, speedCount = 0;
    const int backData[2] = {placer.backEchoData(run.railType), placer.backEchoData(run.railTypeAfter)};

    common::SynthRandom scan = common::SynthRandom::stream(seed, Scan + uint64_t(run.index));
    std::vector<EchoTrace> active;
    std::vector<TPACKET> echoes, rowRecords;
    echoes.reserve(16);
    rowRecords.reserve(16);
    size_t nextTrace = 0, nextRecord = 0, nextStop = 0;
    for (int64_t r = 0; r < rows; ++r) {
        while (nextTrace < track.traces.size() && track.traces[nextTrace].first <= r)
            active.push_back(track.traces[nextTrace++]);
        echoes.clear();
        bool backLost = false;
        for (size_t i = 0; i < active.size();) {
            const EchoTrace &t = active[i];
            if (t.last < r) {
                active[i] = active.back();
                active.pop_back();
                continue;
            }
            if (t.channel == kLostBackEcho)
                backLost = true;
            else
                echoes.push_back(echoPacket(t.channel, int((t.data + t.slope * (r - t.first)) / 256), t.length));
            ++i;
        }
        const int railType = placer.railTypeAt(r);
        if (scan.oneIn(40)) {
            static constexpr int kNoisy[] = {0, 1, 2, 3, 4, 6, 7, 8};
            const int ch = kNoisy[scan.below(std::size(kNoisy))];
            const int64_t depth = ch == 3 || ch == 4 ? scan.between(10, placer.railHeight(railType) - 10)
                                                     : scan.between(4, placer.headDepthLimit(railType));
            echoes.push_back(echoPacket(ch, int(placer.dataForDepth(ch, railType, double(depth))),
                                        int(scan.between(1, 3))));
        }
        if (!backLost)
            echoes.push_back(echoPacket(5, backData[railType == run.railType ? 0 : 1] + int(scan.between(-2, 2)), 5));
        sortByChannel(echoes);
        if (backLost)
            echoes.push_back(makePacket(u'9'));

        rowRecords.clear();
        if (r % kRowsPerMetre == 0) {
            const int64_t mileage = state.mileageMetres + sense * (r / kRowsPerMetre) + correction;
            rowRecords.push_back(makePacket(u'M', int16_t(mileage / 1000), int16_t(mileage % 1000)));
            rowRecords.push_back(makePacket(u'O', int16_t(state.speed),
                                            int16_t(clockMinuteOfDay(startClock + std::llround(elapsed)))));
            speedSum += state.speed;
            ++speedCount;
            // 1 m at raw speed v takes 3.6 / (v / 200) = 720 / v seconds.
            elapsed += 720.0 / state.speed * double(std::min(kRowsPerMetre, rows - r)) / kRowsPerMetre;
            state.speed = std::clamp(state.speed + int(scan.between(-12, 12)), kSlowest, kFastest);
        }
        for (; nextRecord < records.size() && records[nextRecord].row == r; ++nextRecord)
            rowRecords.push_back(records[nextRecord].packet);
        if (r == correctionRow)
            correction += correctionMetres;
        sub.addRow(echoes, rowRecords);
        for (; nextStop < stops.size() && stops[nextStop].row == r; ++nextStop) {
            for (int k = 0; k < stops[nextStop].repeats; ++k)
                sub.repeatLastRow();
            elapsed += stops[nextStop].repeats;
            state.speed = int(scan.between(kSlowest, kSlowest + 70));
        }
    }

    state.mileageMetres += sense * ((rows + kRowsPerMetre / 2) / kRowsPerMetre) + correction;
    state.clock = startClock + std::llround(elapsed);
    SynthRunEnd end;
    end.mileageMetres = state.mileageMetres;
    end.clock = state.clock;
    end.rows = int32_t(sub.rowIndex.size());
    end.packets = int32_t(sub.packets.size());
    end.averageSpeed = speedCount ? int32_t(speedSum / speedCount) : state.speed;
    return end;
}

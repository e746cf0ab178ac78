#include "EchoTrace.h"

#include <algorithm>

namespace brantview {

namespace {

// How far past the left edge the column search looks before giving up.
constexpr int SearchBeyondView = 100;

// Fills the next of a two-echo channel's slots; after the second the first comes again.
class EchoSlots {
public:
    explicit EchoSlots(EchoDepths &depths) : m_depths(depths) {}

    void next(int channel, int depth)
    {
        int &counter = m_next[size_t(channel)];
        m_depths[size_t(channel)][size_t(counter)] = depth;
        counter = 1 - counter;
    }
    // A single-echo channel keeps the latest.
    void only(int channel, int depth) { m_depths[size_t(channel)][0] = depth; }

private:
    EchoDepths &m_depths;
    std::array<int, ChannelCount> m_next{};
};

} // namespace

int64_t MarkerPosition(int32_t viewStart, int value, int max)
{
    return int64_t(viewStart) + (max - value);
}

std::optional<int> FindTraceColumn(const RecordingSlot &slot, int fromColumn, int64_t P, int W)
{
    const int64_t limit = int64_t(slot.ViewStart) + W + SearchBeyondView;
    const int count = int(slot.Columns.size());
    for (int col = std::max(fromColumn, 0); col < count; ++col) {
        const int64_t position = slot.Columns[size_t(col)].position;
        if (position == P)
            return col;
        if (position >= limit)
            break;
    }
    return std::nullopt;
}

ColumnEchoes CollectEchoes(const RecordingSlot &slot, int col, bool HighSensitivityMode)
{
    ColumnEchoes result;
    if (col < 0 || size_t(col) >= slot.Columns.size())
        return result;
    EchoSlots echoes(result.depths);
    const Column &column = slot.Columns[size_t(col)];
    for (int32_t i = column.first; i <= column.last; ++i) {
        const StreamRecord r = slot.Records[size_t(i)];
        const int d = r.data();
        switch (r.code()) {
        case 1: case 2:
            if (!HighSensitivityMode)
                echoes.only(0, d);
            break;
        case 3: case 4:
            if (!HighSensitivityMode)
                echoes.only(1, d);
            break;
        case 26: case 27:
            if (HighSensitivityMode)
                echoes.only(0, d);
            break;
        case 28: case 29:
            if (HighSensitivityMode)
                echoes.only(1, d);
            break;
        case 5: case 6: case 7: echoes.next(2, d); break;
        case 8: case 9: case 10: echoes.next(3, d); break;
        case 11:
            if (d != 0)
                echoes.next(4, d);
            else
                result.loss = true;
            break;
        case 33:
            if (r.step() == 2)
                echoes.next(4, d);
            break;
        case 34: result.loss = true; break;
        case 32: case 35: result.band = true; break;
        case 12: case 13: case 14: case 15: case 16: case 17: echoes.only(5, d); break;
        case 18: case 19: echoes.only(6, d); break;
        case 20: case 21: echoes.only(7, d); break;
        case 22: case 23: echoes.only(8, d); break;
        default: break;
        }
    }
    return result;
}

EchoTrace TraceAtMarker(const RecordingSlot &slot, int value, int W, bool HighSensitivityMode)
{
    EchoTrace trace;
    trace.P = MarkerPosition(slot.ViewStart, value, W);
    trace.column = FindTraceColumn(slot, slot.CurrentColumn, trace.P, W);
    if (trace.column)
        trace.echoes = CollectEchoes(slot, *trace.column, HighSensitivityMode);
    trace.probes = probeConfigInEffect(slot, 0);
    trace.doubleProbeMode = trace.probes.doubleProbeMode;
    trace.RailSetupTable = slot.RailSetupTable;
    return trace;
}

MainViewFollow FollowInMainView(const EchoTrace &trace, bool Jumped)
{
    return {Jumped, trace.P, Jumped ? std::nullopt : trace.column};
}

} // namespace brantview

#pragma once
// The echo trace of "A显校对": which column lies under the marker the window moves
// across the main view, and the echoes its records hold per channel, as the
// synthesised A-scan shows them.

#include "recording/RecordingSlot.h"
#include "viewer/ChannelNames.h"

#include <array>
#include <cstdint>
#include <optional>

namespace brantview {

// Two echoes per channel 0..8 ("1" … "6A"); 0 = none.
using EchoDepths = std::array<std::array<int32_t, 2>, ChannelCount>;

struct ColumnEchoes {
    EchoDepths depths{};
    bool loss = false;  // 0° back echo lost: code 11 with data byte 0, or code 34
    bool band = false;  // 0° band marker: code 32 or 35
};

// The position under the marker at scroll value `value` of a bar whose Max is `max`:
// the value counts points from the left edge of the view, where the position is
// ViewStart + max, so Max shows the column at ViewStart itself.
int64_t MarkerPosition(int32_t viewStart, int value, int max);

// The column at exactly position `P`, looked for from `fromColumn` forward; the search
// gives up past the last column or at a column reaching ViewStart + W + 100.
std::optional<int> FindTraceColumn(const RecordingSlot &slot, int fromColumn, int64_t P, int W);

// The echoes of column `col`. `HighSensitivityMode` chooses codes 26..29 over 1..4 for
// channels "1" and "2".
ColumnEchoes CollectEchoes(const RecordingSlot &slot, int col, bool HighSensitivityMode);

// Everything one trace picture shows.
struct EchoTrace {
    int64_t P = 0;
    std::optional<int> column;
    ColumnEchoes echoes;
    ProbeConfig probes;  // TraceRange per channel
    int doubleProbeMode = 0;  // 1 "1A", 2 "2A" carries a double 45° probe
    std::array<std::array<int32_t, 11>, 4> RailSetupTable{};  // gate bounds [row][entry] in 1/240
};

// The trace at marker value `value` of a bar 0..W, searching from the slot's
// CurrentColumn; the probes are those in effect at the slot's ViewStart, the gates
// the slot's RailSetupTable (taken there when its view was last set up or drawn).
// The double-probe mode is read only from firmware above 700 and is 0 otherwise.
EchoTrace TraceAtMarker(const RecordingSlot &slot, int value, int W, bool HighSensitivityMode);

// The marker of the window: `HScrollA`'s value and where `LineA` stands. Moving it by
// anything but one point to the left is a jump.
class TraceMarker {
public:
    explicit TraceMarker(int W) : m_W(W), m_lineX(W) {}

    // `HScrollA` changed to `value`.
    void moveTo(int value)
    {
        Jumped = m_lineX - value != 1;
        m_lineX = value;
    }
    int lineX() const { return m_lineX; }
    int W() const { return m_W; }

    bool Jumped = true;

private:
    int m_W;
    int m_lineX;
};

// What the main view does after the trace is drawn: after a jump a whole redraw whose
// current slot ends its columns at the marker (the other pane drawn whole); after a
// single step only the column found, one more column behind the marker.
struct MainViewFollow {
    bool fullRedraw = true;
    int64_t currentLastPos = 0;
    std::optional<int> column;  // for the single-column drawing
};
MainViewFollow FollowInMainView(const EchoTrace &trace, bool Jumped);

} // namespace brantview

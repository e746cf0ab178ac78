#pragma once
// The trend markers: each 70° series' echoes joined column by column into runs of
// steady or steadily changing depth; a run that closes steep or long enough earns
// an "↑" above its band.

#include "SlotDrawing.h"

#include <array>

namespace brantview {

// The depth step between two echoes of a run: 5 rising, −5 falling, 0 steady.
int TrendStep(int a, int b);

class TrendRuns {
public:
    // An echo of series k drawn in the current column at x with depth d.
    void echo(int k, int x, int d);
    // After each column: the series drawn in it extend or restart their runs.
    void endColumn(SlotDrawing &view);
    // After the last column: the open runs are closed.
    void finish(SlotDrawing &view);

private:
    struct Run {
        bool open = false;
        int direction = 0;
        int count = 0;
        int minDepth = 0, maxDepth = 0;
        int minX = 0, maxX = 0;
        int lastX = 0, lastDepth = 0;
    };
    struct Latest {
        bool drawn = false;
        int x = 0;
        int depth = 0;
    };
    static Run start(int x, int d);
    void EndTrend(SlotDrawing &view, int k, const Run &run) const;

    std::array<Run, 6> m_runs{};
    std::array<Latest, 6> m_latest{};
};

} // namespace brantview

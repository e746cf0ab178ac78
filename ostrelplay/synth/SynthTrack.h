#pragma once
// The rail a sample recording runs over: 25 m rails joined by bolted joints (rail
// ends, bolt holes) or welds, flaw clusters in the rail head, and short stretches
// where the probes lose coupling. Joints follow from the seed alone, so runs that
// meet at a joint agree on it.

#include "SynthEchoes.h"

#include <cstdint>
#include <vector>

struct TrackFeatures {
    std::vector<EchoTrace> traces;  // inside the run's rows, sorted by first row
    std::vector<int64_t> weldRows;  // rows in which the 0° probe passes a weld
    std::vector<int64_t> flawRows;  // rows in which a flaw cluster shows
};

TrackFeatures synthTrackFeatures(const EchoPlacer &placer, uint64_t seed, int run, int64_t firstRow, int64_t rows);

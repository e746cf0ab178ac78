#pragma once
// The rows of one recording run: the echoes of the track, the 0° back echo, noise,
// and the records the instrument writes: mileage and speed once a metre, operator
// events, gain changes, a rail-type switch, an operator change, a mileage correction.

#include "recording/StdFileImage.h"
#include "SynthParameters.h"

#include <cstdint>

struct SynthRunPlan {
    int index = 0;
    int64_t firstRow = 0;        // counted over the whole recording
    int64_t rows = 0;            // rows travelled; standing still adds repeated rows
    int railType = 2;            // at the start
    int64_t railSwitchRow = -1;  // row of the 'N' record, or -1
    int railTypeAfter = 2;
    bool startMark = false;          // 'J' near the start
    bool endMark = false;            // 'K' near the end
    bool operatorChange = false;     // 'U'
    bool mileageCorrection = false;  // 'V'
    bool closeFlawAlarms = false;    // light-flaw alarms a few rows apart
};

// What one run hands on to the next.
struct SynthRunState {
    int64_t mileageMetres = 0;
    SynthClock clock = 0;
    int speed = 600;  // raw speed units, km/h = raw / 100 x 0.5
    int operatorIndex = 0;
    SynthGainTable deltaGain{};
};

// Appends the run's rows to `sub`, whose parameter block is already set, and moves
// `state` to the end of the run.
SynthRunEnd writeSynthRun(SubFileImage &sub, const SynthRunPlan &plan, const SynthProfile &profile,
                          SynthRunState &state, uint64_t seed);

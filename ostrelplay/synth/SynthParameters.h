#pragma once
// Parameter blocks and trailer records of sample recordings: what the instrument
// stores about a run (line, operator, probes, gains, gates, mileage and times).

#include "recording/STDDataStruct.h"
#include "common/SynthRandom.h"

#include <QString>
#include <array>
#include <cstdint>

using SynthGainTable = std::array<std::array<float, 9>, 4>;  // [rail type][channel], dB

struct SynthOperator {
    int number = 0;
    QString name;
};

// What stays the same over all runs of one recording.
struct SynthProfile {
    QString version;
    QString lineName, stationName, companyName;
    std::array<SynthOperator, 3> operators;
    int lineType = 0;
    int leftRightLine = 0;
    int direction = 0;  // mileage sense: 0 increasing, 1 decreasing
    int factory = 0;
    int area = 1;
    int instrumentNo = 0;
    int potNumber = 0;
    float gpsNorth = 0, gpsEast = 0;
    SynthGainTable gain{};  // base gains of the calibration
};

SynthProfile makeSynthProfile(const QString &version, common::SynthRandom &random);

// Seconds since 2000-01-01 00:00:00; the instrument's clock, without time zones.
using SynthClock = int64_t;
int32_t clockDate(SynthClock clock);     // YYYYMMDD
int32_t clockTime(SynthClock clock);     // HHMMSS
int clockMinuteOfDay(SynthClock clock);  // 0 .. 1439

// The state of a run when recording starts.
struct SynthRunStart {
    int index = 0;
    int railType = 2;
    int64_t mileageMetres = 0;  // start point
    SynthClock clock = 0;
    int operatorIndex = 0;
    SynthGainTable deltaGain{};
    bool curve = false;
};

// And when it stops.
struct SynthRunEnd {
    int64_t mileageMetres = 0;  // end point
    SynthClock clock = 0;
    int32_t rows = 0;
    int32_t packets = 0;
    int32_t averageSpeed = 0;  // raw speed units
};

TSYSTEMPARA synthRunParameters(const SynthProfile &profile, const SynthRunStart &start);
void finishSynthRunParameters(TSYSTEMPARA &para, const SynthRunEnd &end);

// The trailer record of a run: file name from its start time, file times from start and end.
WIN32FINDDATA synthFindData(SynthClock start, SynthClock end);

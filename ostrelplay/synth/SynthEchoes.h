#pragma once
// Where a reflector in the rail shows on each channel. A rail position and a drawn
// depth become echo data and the rows in which the channel's beam meets the
// reflector, through the same geometry the B-scan is drawn with, so the echoes of
// all channels land on the reflector.

#include "recording/STDDataStruct.h"

#include <array>
#include <cstdint>
#include <vector>

// An echo that one channel reports over consecutive rows, moving by a constant
// step per row. Channel 9 is the back echo lost (lost-wave packets, no 0° back echo).
struct EchoTrace {
    int64_t first = 0, last = 0;  // rows of the run, both included
    int channel = 0;
    int32_t data = 0;    // m_Data1 at `first`, in 1/256 units
    int32_t slope = 0;   // change of m_Data1 per row, in 1/256 units
    int16_t length = 0;  // m_Data2 - m_Data1
};

constexpr int kLostBackEcho = 9;

class EchoPlacer {
public:
    // `para` as stored in the file; rows are counted from `firstRow`, the run's first
    // row in the whole recording; rail positions are millimetres from the recording's start
    // (2 mm per row). The rail type changes from `railTypeBefore` at `switchRow` (-1: never).
    EchoPlacer(const TSYSTEMPARA &para, int64_t firstRow, int railTypeBefore, int railTypeAfter, int64_t switchRow);

    int railTypeAt(int64_t row) const;
    int railTypeAtRail(int64_t railMm) const;
    // Drawn depth of the rail foot, of a bolt hole's centre and the deepest drawn 70° echo.
    int32_t railHeight(int railType) const;
    int32_t boltHoleDepth(int railType) const;
    int32_t headDepthLimit(int railType) const;
    // m_Data1 of the 0° back echo: drawn in the bottom band of the rail type.
    int32_t backEchoData(int railType) const;
    // m_Data1 of an echo of `channel` drawn `depth` below the rail top.
    double dataForDepth(int channel, int railType, double depth) const;

    // The row in which the 0° probe stands over `railMm`.
    int64_t rowOverRail(int64_t railMm) const;

    // A reflector at `railMm` and `depth`, seen by `channel` over 2 x halfRows + 1 rows
    // centred where its beam meets it. Its depth shrinks by depthPerRow per row while
    // a forward probe closes in and grows while a back probe draws away.
    void addReflector(std::vector<EchoTrace> &out, int channel, int64_t railMm, double depth, int halfRows,
                      double depthPerRow, int length) const;
    // The back echo lost while the 0° probe is over [fromMm, toMm].
    void addLostBackEcho(std::vector<EchoTrace> &out, int64_t fromMm, int64_t toMm) const;

private:
    int64_t m_firstRow;
    int m_railTypeBefore, m_railTypeAfter;
    int64_t m_switchRow;
    std::array<int32_t, 9> m_probe{};        // probe positions as drawn (stored value + 100)
    std::array<float, 9> m_range{};
    std::array<std::array<double, 9>, 5> m_dataPerDepth{};  // [rail type][channel]
};

#pragma once
// One loaded recording as every part of the viewer reads it: the records in their
// stored form, the column index, one table per packet kind, the counts, the review
// marks of the trailer and the view state that the marks and the drawing share.

#include "BrantFormat.h"
#include "ColumnArray.h"
#include "RecordArray.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace brantview {

template <size_t Fields>
using TableEntry = std::array<int32_t, Fields>;

// Field 0 of every table entry is the position (Steps) of the column that completed it.
using MileageEntry = std::array<int64_t, 5>;  // position, mileage 0.1 m, speed 0.1 km/h, curve state, mark flag
using GainEntry = TableEntry<12>;              // position, GainPacket bytes 1..11
using GpsEntry = TableEntry<3>;                // position, longitude × 85000, latitude × 111000
using ParamEntry = TableEntry<47>;             // position, ParamBlock bytes 1..46
using RailSetup55Entry = TableEntry<25>;       // position, RailSetupPacket bytes 1..24
using RailSetup56Entry = TableEntry<30>;       // position, RailSetupPacketExt bytes 1..29
using SwitchEntry = TableEntry<3>;             // position, SwitchNumberPacket bytes 1, 2
using TrackEntry = TableEntry<2>;              // position, TrackNumberPacket byte
using CalibrationEntry = TableEntry<3>;        // position, CalibrationPacket bytes 1, 2

namespace MileageField {
inline constexpr int Position = 0, Mileage = 1, Speed = 2, Curve = 3, MarkFlag = 4;
}

// Where MarkCounts counts what.
namespace MarkCountIndex {
inline constexpr int Switch = 10;  // switch marks and switch numbers
inline constexpr int Track = 11;   // track numbers
inline constexpr int Error = 12;   // error records
inline constexpr int Count = 13;
}

// The mileage post review marks attach to: its position and its mileage bytes as the
// packet holds them, most significant first.
struct MileagePost {
    int32_t position = 0;
    std::array<uint8_t, 4> mileage{};

    static MileagePost of(const MileageEntry &entry)
    {
        const uint32_t m = uint32_t(entry[MileageField::Mileage]);
        return {int32_t(entry[MileageField::Position]), {uint8_t(m >> 24), uint8_t(m >> 16), uint8_t(m >> 8), uint8_t(m)}};
    }
    uint32_t mileageValue() const
    {
        return (uint32_t(mileage[0]) << 24) | (uint32_t(mileage[1]) << 16) | (uint32_t(mileage[2]) << 8) | mileage[3];
    }
};

// A code-73 dot drawn in the current view, for the pointer to find.
struct CalibrationHotSpot {
    int32_t x = 0;
    int32_t y = 0;
    int32_t record = 0;
};

struct RecordingSlot {
    uint8_t type = 0;  // 0 empty, StreamTypeCode or AScanTypeCode
    QString FileName;
    int64_t FileLength = 0;
    int32_t RecordCount = 0;  // file length / 3

    // Stream: the records up to the end marker, after the validity conversion and with
    // the curve state in the step value of code-50 records.
    RecordArray Records;
    ColumnArray Columns;
    std::vector<MileageEntry> MileageTable;
    std::vector<GainEntry> GainTable;
    std::vector<GpsEntry> GpsTable;
    std::vector<ParamEntry> ParamTable;
    std::vector<RailSetup55Entry> RailSetup55Table;
    std::vector<RailSetup56Entry> RailSetup56Table;
    std::vector<SwitchEntry> SwitchTable;
    std::vector<TrackEntry> TrackTable;
    std::vector<CalibrationEntry> CalibrationTable;
    std::array<int32_t, MarkCountIndex::Count> MarkCounts{};
    int32_t CurveMarkCount = 0;

    // The trailer's marks and those added since the load.
    std::vector<ReviewMark> ReviewMarks;
    bool HasTrailer = false;
    QByteArray ReplayerName;  // the eight stored bytes, or empty before any mark was saved
    QDateTime OpenedAt;
    int64_t ParsedBytes = 0;  // offset of the end marker, or the file length
    // What the file held from ParsedBytes on when read or last written, so that a
    // save can tell whether someone else changed it since.
    QByteArray DiskTrailer;

    // A-scan record: its whole frames.
    std::vector<AScanFrame> Frames;

    // View state the marks and the drawing share.
    int32_t ViewStart = 0;
    MileagePost CurrentPost;
    int32_t CurrentColumn = 0;
    double StepLength = NominalStepMm;
    double SampleSpacing = StepsPerMileagePacket * NominalStepM;
    std::array<uint8_t, 9> CurrentParams{};        // ParamBlock bytes 42, 43, 14, 15, 16, 44, 13, 20, 21
    std::array<std::array<int32_t, 11>, 4> RailSetupTable{};  // rows of gate bounds, entries 0..10
    std::vector<CalibrationHotSpot> CalibrationHotSpots;

    bool isEmpty() const { return type == 0; }
    bool isStream() const { return type == StreamTypeCode; }
    bool isAScan() const { return type == AScanTypeCode; }
    int ReviewMarkCount() const { return int(ReviewMarks.size()); }
};

// The two panes "文件1" and "文件2" and the one commands act on.
struct RecordingSlots {
    std::array<RecordingSlot, 2> Slots;
    int CurrentSlot = 0;
    bool SecondLoaded = false;

    RecordingSlot &current() { return Slots[size_t(CurrentSlot)]; }
};

} // namespace brantview

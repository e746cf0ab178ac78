#pragma once
// Sample Brantel record streams that look like a real inspection when drawn: rails
// with joints, bolt holes, welds and flaws on the channels that see them, the 0° back
// echo, mileage, speed, GPS, gains, parameters, marks, calibrations and, when a
// reviewer is named, a trailer of review marks. The same options give the same bytes.

#include <QByteArray>

#include <cstdint>

namespace brantview {

enum class RecordKind {
    FullCourse,     // "全程记录", QC*.D*
    SelectedPoint,  // "选点记录", XD*.DAT: short pieces around selected points
};

struct StreamSynthOptions {
    RecordKind kind = RecordKind::FullCourse;
    double length = 500.0;  // metres of rail recorded
    uint64_t seed = 1;
    int firmwareVersion = 650;  // e.g. 650 (below 700) or 720 (above 703)
    QByteArray reviewer;        // when not empty: a trailer with this name and review marks
    // The rail goes on past `length` until the stream holds at least this many bytes.
    int64_t minimumBytes = 0;
};

QByteArray synthesizeStream(const StreamSynthOptions &options);

}  // namespace brantview

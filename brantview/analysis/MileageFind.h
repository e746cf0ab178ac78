#pragma once
// "位置查找": the mileage search. A mileage given as kilometres + metres is looked
// for between successive mileage samples of a recording, from a cursor on, so that
// pressing "查找" again finds the next place the line passes that mileage.

#include "recording/RecordingSlot.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace brantview {

// The refusal of a `Text_km` or `Text_m` entry, empty when it is accepted: a number
// from 0 to 2500 kilometres, from 0 to 999 metres.
QString KilometresEntryError(const QString &text);
QString MetresEntryError(const QString &text);

// The whole kilometres or metres of an accepted entry (rounded, halves to even).
int MileageEntryValue(const QString &text);

// What is looked for: (km × 1000 + m) × 10, in tenths of a metre.
int64_t MileageTarget(int km, int m);

// The message when no further sample pair holds the mileage.
inline QString MileageFindEndMessage()
{
    return QStringLiteral(" 查找结束");
}

struct MileageFindStep {
    enum class Outcome {
        Nothing,  // two samples or fewer: the cursor stays, nothing is said
        Found,    // the view moves to viewStart, the search goes on from cursor
        End,      // " 查找结束"; the next search starts from the first sample again
    };
    Outcome outcome = Outcome::Nothing;
    int32_t viewStart = 0;
    int cursor = 0;  // MileageFindCursor after the step
};

// One press of "查找": the first sample k from `cursor` on whose pair (k, k + 1)
// holds `target` between its mileages, inclusive, rising or falling.
MileageFindStep FindMileage(const RecordingSlot &slot, int64_t target, int cursor);

} // namespace brantview

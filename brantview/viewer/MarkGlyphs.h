#pragma once
// The glyphs of the instrument's marks and numbered events on the glyph row: each
// pushed left of the one before when they would overlap.

#include "SlotDrawing.h"

#include <cstdint>

namespace brantview {

// The "S" and "$" switches of the view: set when the glyph is drawn, cleared at the
// start of every column, so each shows once per column.
struct MarkSwitches {
    bool S = false;
    bool dollar = false;
};

// Code 24, mark kind k at position p.
void DrawMarkGlyph(SlotDrawing &view, int k, int32_t p, MarkSwitches &switches);
// Code 25: "岔" and the data byte.
void DrawSwitchMark(SlotDrawing &view, int data, int32_t p);
// Code 53: "MG".
void DrawParamLabel(SlotDrawing &view, int32_t p);
// Code 57: the n-th error dot of its column (n from 0).
void DrawErrorDot(SlotDrawing &view, int32_t p, int n);
// Code 70: "岔" and the switch number.
void DrawSwitchNumber(SlotDrawing &view, int number, int32_t p);
// Code 71: "股" and the track number.
void DrawTrackNumber(SlotDrawing &view, int number, int32_t p);
// Code 72: ">" and the distance in metres, corrected by the points it was pushed left.
void DrawCalibration(SlotDrawing &view, int centimetres, int32_t p);
// Code 73: a red dot the pointer can pick; `record` is its index in Records.
void DrawCalibrationPoint(SlotDrawing &view, int32_t record, int32_t p);

} // namespace brantview

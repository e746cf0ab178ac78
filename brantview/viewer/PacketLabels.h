#pragma once
// The texts of the packets a column completes: the mileage header with its review
// marks, the gains that changed, the GPS fix and the power reading.

#include "SlotDrawing.h"

#include <cstdint>

namespace brantview {

// Code 50 (9 bytes) at position p with the curve state the loader left in its
// records; a post inside the central area becomes the slot's CurrentPost.
void DrawMileageHeader(SlotDrawing &view, const uint8_t *bytes, int32_t p, int curve);
// Code 51 (11 bytes): the gains that changed since the last gain text, "(dB)" when none.
void DrawGainText(SlotDrawing &view, const uint8_t *bytes, int32_t p);
// Code 52 (6 bytes).
void DrawGpsText(SlotDrawing &view, const uint8_t *bytes, int32_t p);
// Code 54 (4 bytes).
void DrawPowerText(SlotDrawing &view, const uint8_t *bytes, int32_t p);

// The gains a gain packet's bytes 1..11 set.
GainsShown gainsOf(const uint8_t *bytes);

} // namespace brantview

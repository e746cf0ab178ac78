#pragma once
// The 16 x 16 dot matrices of the event glyphs on the B-scan.

#include <array>
#include <cstdint>

using TGlyph = std::array<uint16_t, 16>;  // one row per entry, most significant bit leftmost

// The glyph of an event sign (event code - 'A'), or null for codes without one.
const TGlyph *eventGlyph(int sign);

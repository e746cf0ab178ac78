#pragma once
// Numbers as the programs' texts show them.

#include <QString>

namespace common {

// A single-precision value with as few digits as read back to the same value
// (at most 15 significant), without exponent for ordinary magnitudes: 45.5, 40, 5.3.
QString formatFloat(float value);

// Delphi-style right-aligned decimal with spaces replaced by '0': (93005, 6) -> "093005".
QString zeroPadded(qint64 value, int width);

} // namespace common

#pragma once
// Text fields and number formatting shared by every text the recording composes.

#include <QString>
#include <cstddef>

// A fixed array of UTF-16 units as text, ending at the first zero unit or at its end.
// Takes the raw address because the arrays live in packed records.
QString stdText(const void *units, int count);

// Writes text into a fixed UTF-16 array, zero-filling the rest; longer text is cut.
void setStdText(void *units, int count, const QString &text);

// A single-precision value with as few digits as read back to the same value
// (at most 15 significant), without exponent for ordinary magnitudes: 45.5, 40, 5.3.
QString formatFloat(float value);

// Delphi-style right-aligned decimal with spaces replaced by '0': (93005, 6) -> "093005".
QString zeroPadded(qint64 value, int width);

#pragma once
// The text fields of the .std format: fixed arrays of UTF-16 units.

#include <QString>
#include <cstddef>

// A fixed array of UTF-16 units as text, ending at the first zero unit or at its end.
// Takes the raw address because the arrays live in packed records.
QString stdText(const void *units, int count);

// Writes text into a fixed UTF-16 array, zero-filling the rest; longer text is cut.
void setStdText(void *units, int count, const QString &text);

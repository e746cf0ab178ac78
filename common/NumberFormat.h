#pragma once
// Numbers as the programs' texts show them.

#include <QDateTime>
#include <QString>
#include <QStringView>

namespace common {

// A single-precision value with as few digits as read back to the same value
// (at most 15 significant), without exponent for ordinary magnitudes: 45.5, 40, 5.3.
QString formatFloat(float value);

// Delphi-style right-aligned decimal with spaces replaced by '0': (93005, 6) -> "093005".
QString zeroPadded(qint64 value, int width);

// A number through a picture of the instruments' own texts: '0' shows a digit or 0,
// '#' a digit or nothing, the first '.' is the decimal point (always shown), '\\'
// escapes one character, "…" is literal, anything else is literal. Integer digits
// fill the digit places from the right across literals ("###0KM+##0.0M" with
// 12345.6 gives "12KM+345.6M"); digits beyond the places go before the first one.
// Rounds half away from zero; '#' places at the end of the fraction drop zeros.
// A ',' between integer digit places groups the integer digits by three
// ("###0,000.0" with 123456.7 gives "123,456.7"); a '%' shows the value × 100.
QString formatPattern(double value, QStringView pattern);

// A date and time through a picture: yyyy, yy, mm/m (minutes right after an hour),
// MM/M, dd/d, hh/h, nn/n, ss/s, and AM/PM (a 12-hour clock); the rest is literal.
QString formatDateTimePattern(const QDateTime &at, QStringView pattern);

} // namespace common

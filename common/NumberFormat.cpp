#include "NumberFormat.h"

#include <charconv>
#include <cmath>

namespace common {

QString formatFloat(float value)
{
    char buffer[64];
    const float magnitude = std::fabs(value);
    const bool ordinary = magnitude == 0.0f || (magnitude >= 1e-4f && magnitude < 1e15f);
    const auto format = ordinary ? std::chars_format::fixed : std::chars_format::general;
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

QString zeroPadded(qint64 value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char(' ')).replace(QLatin1Char(' '), QLatin1Char('0'));
}

} // namespace common

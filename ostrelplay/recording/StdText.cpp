#include "StdText.h"

#include <charconv>
#include <cmath>
#include <cstring>

QString stdText(const void *units, int count)
{
    QString text;
    const auto *bytes = static_cast<const unsigned char *>(units);
    for (int i = 0; i < count; ++i) {
        char16_t unit;
        std::memcpy(&unit, bytes + 2 * i, 2);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

void setStdText(void *units, int count, const QString &text)
{
    auto *bytes = static_cast<unsigned char *>(units);
    std::memset(bytes, 0, 2 * static_cast<size_t>(count));
    const int n = std::min<int>(count, static_cast<int>(text.size()));
    for (int i = 0; i < n; ++i) {
        const char16_t unit = text.at(i).unicode();
        std::memcpy(bytes + 2 * i, &unit, 2);
    }
}

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

#include "StdText.h"

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

#include "CliJson.h"

#include <QJsonDocument>

#include <charconv>
#include <cmath>

namespace common::cli {

QJsonValue jsonFloat(float value)
{
    if (!std::isfinite(value))
        return QJsonValue(QJsonValue::Null);
    if (value == 0.0f)
        return 0.0;  // never "-0"
    // Through the single's shortest text: a single widened to double prints all its binary digits.
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    double widened = 0;
    std::from_chars(buffer, end, widened);
    return widened;
}

namespace {

void printBytes(const QByteArray &bytes, FILE *stream)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void printJson(const QJsonObject &result, FILE *stream)
{
    printBytes(QJsonDocument(result).toJson(QJsonDocument::Indented), stream);
}

void printText(const QString &text, FILE *stream)
{
    printBytes(text.toUtf8(), stream);
}

} // namespace common::cli

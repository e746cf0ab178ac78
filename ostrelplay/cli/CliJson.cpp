#include "CliJson.h"

#include "recording/StdText.h"

#include <QJsonDocument>

#include <cmath>
#include <cstdio>

QJsonValue jsonFloat(float value)
{
    if (!std::isfinite(value))
        return QJsonValue(QJsonValue::Null);
    // Through the recording's text form: a single widened to double prints all its binary digits.
    return formatFloat(value).toDouble();
}

QJsonArray jsonGainSet(const TGainSet &set)
{
    QJsonArray array;
    for (const auto &railType : set)
        for (const float offset : railType)
            array.append(jsonFloat(offset));
    return array;
}

void printJson(const QJsonObject &result)
{
    const QByteArray text = QJsonDocument(result).toJson(QJsonDocument::Indented);
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

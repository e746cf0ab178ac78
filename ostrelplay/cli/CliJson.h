#pragma once
// JSON values of recording data and the one place results reach standard output.

#include "recording/STDDataOperation.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <cstdint>

// A single the way the recording's texts print it (45.5, not 45.5000000000);
// null when it is not a finite number, which JSON cannot hold.
QJsonValue jsonFloat(float value);

// A field of a packed record, taken by value: binding a reference to it may be misaligned.
template <typename T>
QJsonValue jsonNumber(T value)
{
    return qint64(value);
}

// The 36 offsets of a gain set, rail type major.
QJsonArray jsonGainSet(const TGainSet &set);

template <typename Range>
QJsonArray jsonInts(const Range &values)
{
    QJsonArray array;
    for (const auto v : values)
        array.append(qint64(v));
    return array;
}

// Writes the result object to standard output as UTF-8.
void printJson(const QJsonObject &result);

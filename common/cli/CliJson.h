#pragma once
// JSON values of the numbers in a file, and the one place a batch program's
// output reaches its stream.

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <cstdint>
#include <cstdio>

namespace common::cli {

// A single with as few digits as read back to the same single (45.5, not
// 45.5000000000); null when it is not a finite number, which JSON cannot hold.
QJsonValue jsonFloat(float value);

// A field of a packed record, taken by value: binding a reference to it may be misaligned.
template <typename T>
QJsonValue jsonNumber(T value)
{
    return qint64(value);
}

template <typename Range>
QJsonArray jsonInts(const Range &values)
{
    QJsonArray array;
    for (const auto v : values)
        array.append(qint64(v));
    return array;
}

// Writes the result object to `stream` as indented UTF-8 and flushes it.
void printJson(const QJsonObject &result, FILE *stream);

// Writes text to `stream` as UTF-8 and flushes it.
void printText(const QString &text, FILE *stream);

} // namespace common::cli

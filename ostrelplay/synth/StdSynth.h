#pragma once
// Sample .std recordings that look like a real inspection when drawn.
// The same options give the same bytes.

#include <QByteArray>
#include <QString>
#include <cstdint>

struct StdSynthOptions {
    int subFiles = 3;             // recording runs
    double metres = 200.0;        // length of rail over all runs
    uint32_t seed = 1;
    QString version = QStringLiteral("1.7.X");  // m_Version of every run
    bool rawDigits = false;       // store echo codes as 0..9 instead of '0'..'9'
};

QByteArray synthesizeStd(const StdSynthOptions &options);

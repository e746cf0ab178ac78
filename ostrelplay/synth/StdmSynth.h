#pragma once
// Sample .stdm recording videos: in every record the probe sweeps over a flaw,
// so the echo in the gate rises and falls over the fifty frames.
// The same options give the same bytes.

#include <QByteArray>
#include <QString>
#include <cstdint>

struct StdmSynthOptions {
    int records = 3;
    uint32_t seed = 1;
    QString version = QStringLiteral("1.7.X");  // m_Version of every record
};

QByteArray synthesizeStdm(const StdmSynthOptions &options);

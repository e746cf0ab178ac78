#pragma once
// Sample management files: several days of an instrument's operating log with power
// on/off pairs over moving and standing stretches, gain and speed-limit changes,
// overspeeds with their summaries, a clock change, empty records and a period that
// runs past midnight. The same options give the same bytes.

#include <QByteArray>

#include <cstdint>

namespace brantview {

struct ManagementSynthOptions {
    int days = 3;
    uint64_t seed = 1;
};

constexpr int MaxManagementSynthDays = 20000;

QByteArray synthesizeManagementFile(const ManagementSynthOptions &options);

} // namespace brantview

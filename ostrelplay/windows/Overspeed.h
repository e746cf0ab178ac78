#pragma once
// The overspeed statistics: stretches where the raw speed stayed at or above a
// threshold for longer than a distance, over every sub-file of a recording.

#include "recording/STDDataOperation.h"

#include <QChar>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// One line of the list: running number, start and end mileage, length, average speed.
struct OverspeedRow {
    QString caption;
    QString startMileage;
    QString endMileage;
    QString distance;
    QString averageSpeed;
};

struct OverspeedResult {
    std::vector<OverspeedRow> rows;
    int64_t totalMetres = 0;
};

// Progress of the scan: a sub-file starts with `maximum` rows to go; the position
// moves on in steps of OverspeedProgressStep rows.
struct OverspeedProgress {
    std::function<void(int subFile, int64_t maximum)> subFileStarted;
    std::function<void(int64_t position)> advanced;
};
constexpr int64_t OverspeedProgressStep = 10000;

// Whether the speed field, holding `text`, takes the typed key (backspace is '\b').
bool speedKeyAccepted(const QString &text, QChar key);

// The speed typed in km/s as a raw speed, truncated toward zero.
int32_t rawSpeedThreshold(double speed);

// The workbook name: ".xls" appended unless the name already ends in it.
QString withXlsExtension(const QString &name);

// "子文件 N 统计中..." for the 0-based sub-file.
QString overspeedSubFileStatus(int subFile);
// "3处超速共120米".
QString overspeedTotalStatus(const OverspeedResult &result);

// Scans every sub-file for runs of speed records at or above `rawThreshold` longer
// than `minimumMetres`; a run still open at the end of a sub-file is always listed.
OverspeedResult overspeedScan(const mystdfile &file, int32_t rawThreshold, int64_t minimumMetres,
                              const OverspeedProgress &progress = {});

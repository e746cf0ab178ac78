#pragma once
// The overspeed list written to a workbook: a header row, then one row per stretch.

#include "Overspeed.h"

#include <QString>

#include <vector>

// How an export ended. Only a workbook that cannot be started or opened has a
// message; a failure while filling or saving it ends the export quietly.
enum class OverspeedExport { Saved, EmptyList, NoExcel, ExcelUnavailable, NotSaved };

// The message box text and title for an outcome; both empty when nothing is shown.
QString overspeedExportMessage(OverspeedExport outcome);
QString overspeedExportTitle(OverspeedExport outcome);

// Writes the rows under exactly `path` (the caller has already given it its ".xls").
OverspeedExport exportOverspeed(const std::vector<OverspeedRow> &rows, const QString &path);

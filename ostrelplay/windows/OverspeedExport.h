#pragma once
// The overspeed list written to a workbook: a header row, then one row per stretch.

#include "Overspeed.h"

#include <QString>

#include <vector>

// How an export ended. A workbook that cannot be filled or saved is no outcome
// but an OfficeError, whose message the caller shows.
enum class OverspeedExport { Saved, EmptyList, NoExcel, ExcelUnavailable };

// The message box text and title for an outcome; both empty when nothing is shown.
QString overspeedExportMessage(OverspeedExport outcome);
QString overspeedExportTitle(OverspeedExport outcome);

// Writes the rows under exactly `path` (the caller has already given it its ".xls");
// throws OfficeError when the workbook cannot be saved there.
OverspeedExport exportOverspeed(const std::vector<OverspeedRow> &rows, const QString &path);

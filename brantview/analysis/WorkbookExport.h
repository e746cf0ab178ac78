#pragma once
// The workbooks the analysis windows write: filled completely in memory, then saved
// once, atomically, under exactly the name the user chose. A failure leaves no
// half-written file and any older one as it was.

#include "office/Workbook.h"

#include <QString>

#include <functional>

namespace brantview {

// What every spreadsheet export of this program says when it fails.
inline const QString ExcelTroubleMessage = QStringLiteral("Excel 出现问题，请关闭正在运行的Excel 再运行一遍！！！");

// Lets `fill` fill a new workbook, then writes it under `path`.
// Throws OfficeError (from the check, from `fill` or from the writing).
void WriteWorkbook(const QString &path, const std::function<void(Workbook &)> &fill);

} // namespace brantview

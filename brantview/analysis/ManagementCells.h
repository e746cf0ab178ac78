#pragma once
// How the management report puts dates, times and coded values into cells. Dates and
// times go in as spreadsheet serial values (days since 1899-12-30, a time as a
// fraction of a day) so they sort and compute; a date or time that does not exist
// leaves its cell empty.

#include "ManagementFile.h"

#include "office/Workbook.h"

#include <QString>

namespace brantview::management {

inline const QString DateFormat = QStringLiteral("yyyy-mm-dd");
inline const QString TimeFormat = QStringLiteral("hh:mm:ss");

inline double daysOfSeconds(int64_t seconds)
{
    return double(seconds) / 86400.0;
}

// The date as a serial value with `format`; nothing for a date that does not exist.
void setDateCell(Worksheet &sheet, int row, int column, const ManagementDate &date,
                 const QString &format = DateFormat);
// The time of day as a fraction of a day; a format only when one is given.
void setTimeCell(Worksheet &sheet, int row, int column, const ManagementTime &time, const QString &format = {});

// "yyyy年m月d日" and "h:m:s AM/PM"; empty for a date or time that does not exist.
QString dateText(const ManagementDate &date);
QString timeText(const ManagementTime &time);
// Metres per hour as "0.00km/h".
QString speedLimitText(int metresPerHour);
// Rail side of a power-on: 1 "右侧钢轨", 0 "左侧钢轨", else "错误数据".
QString managementRailSideText(int code);

} // namespace brantview::management

#include "ManagementCells.h"

#include "common/NumberFormat.h"

#include <QDateTime>

namespace brantview::management {

namespace {

const QDate SerialEpoch(1899, 12, 30);

} // namespace

void setDateCell(Worksheet &sheet, int row, int column, const ManagementDate &date, const QString &format)
{
    const QDate day = date.toQDate();
    if (!day.isValid())
        return;
    sheet.setCell(row, column, double(SerialEpoch.daysTo(day)));
    sheet.setCellNumberFormat(row, column, format);
}

void setTimeCell(Worksheet &sheet, int row, int column, const ManagementTime &time, const QString &format)
{
    if (!time.isValid())
        return;
    sheet.setCell(row, column, daysOfSeconds(time.seconds()));
    if (!format.isEmpty())
        sheet.setCellNumberFormat(row, column, format);
}

QString dateText(const ManagementDate &date)
{
    const QDate day = date.toQDate();
    if (!day.isValid())
        return {};
    return common::formatDateTimePattern(QDateTime(day, QTime(0, 0), Qt::UTC), u"yyyy年m月d日");
}

QString timeText(const ManagementTime &time)
{
    if (!time.isValid())
        return {};
    return common::formatDateTimePattern(QDateTime(QDate(2000, 1, 1), QTime(time.hour, time.minute, time.second),
                                                   Qt::UTC),
                                         u"h:m:s AM/PM");
}

QString speedLimitText(int metresPerHour)
{
    return common::formatPattern(metresPerHour / 1000.0, u"0.00km/h");
}

QString managementRailSideText(int code)
{
    switch (code) {
    case 1: return QStringLiteral("右侧钢轨");
    case 0: return QStringLiteral("左侧钢轨");
    default: return QStringLiteral("错误数据");
    }
}

} // namespace brantview::management

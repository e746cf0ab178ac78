#include "WorkTable.h"

#include "recording/StdFormat.h"

#include <QDate>

#include "common/NumberFormat.h"
#include "recording/StdText.h"
#include "rendering/BScanRenderer.h"

#include <cmath>

namespace {

constexpr int RowsPerMetre = 500;

const TSYSTEMPARA &paraOf(const mystdfile &file, int k)
{
    if (k < 0 || k >= int(file.std_systemparas.size()))
        throw StdDataError(QStringLiteral("作业表格：没有第%1段数据").arg(k + 1));
    return file.std_systemparas[size_t(k)];
}

QString lineTypeText(int lineType)
{
    switch (lineType) {
    case 0: return QStringLiteral("上行");
    case 1: return QStringLiteral("下行");
    case 2: return QStringLiteral("单线");
    default: return {};
    }
}


// yyyymmdd and hhmmss as "yyyy-mm-dd hh:mm:ss".
QString dateTimeText(int32_t date, int32_t time)
{
    const QString d = common::zeroPadded(date, 8);
    const QString t = common::zeroPadded(time, 6);
    return d.mid(0, 4) + u'-' + d.mid(4, 2) + u'-' + d.mid(6, 2) + u' ' + t.mid(0, 2) + u':' + t.mid(2, 2) + u':'
           + t.mid(4, 2);
}

int64_t secondsOfDay(int32_t hhmmss)
{
    const int64_t t = hhmmss;
    return t / 10000 * 3600 + t / 100 % 100 * 60 + t % 100;
}

// Negative spans keep their negative parts: "-23:-40:00".
QString durationText(int64_t seconds)
{
    return common::zeroPadded(seconds / 3600, 2) + u':' + common::zeroPadded(seconds % 3600 / 60, 2) + u':'
           + common::zeroPadded(seconds % 60, 2);
}

// A run past midnight ends on a later day: the days between the dates count too,
// and without readable dates one day is assumed, so no duration is negative.
int64_t durationSeconds(const TSYSTEMPARA &para)
{
    int64_t seconds = secondsOfDay(para.m_EndTime) - secondsOfDay(para.m_Time);
    if (seconds >= 0)
        return seconds;
    const QDate start(para.m_Date / 10000, para.m_Date / 100 % 100, para.m_Date % 100);
    const QDate end(para.m_EndDate / 10000, para.m_EndDate / 100 % 100, para.m_EndDate % 100);
    const int64_t days = start.isValid() && end.isValid() ? start.daysTo(end) : 0;
    seconds += 86400 * std::max<int64_t>(days, 1);
    return seconds;
}

QString durationText(const TSYSTEMPARA &para)
{
    return durationText(durationSeconds(para));
}

// Reads "hh:mm:ss" back by its fixed character places.
int64_t durationSeconds(const QString &text, int k)
{
    bool okHours = false, okMinutes = false, okSeconds = false;
    const int hours = text.mid(0, 2).toInt(&okHours);
    const int minutes = text.mid(3, 2).toInt(&okMinutes);
    const int seconds = text.mid(6, 2).toInt(&okSeconds);
    if (!okHours || !okMinutes || !okSeconds)
        throw StdDataError(
            QStringLiteral("第%1段的探伤时间“%2”无法读出，不能统计总探伤时间").arg(k + 1).arg(text));
    return int64_t(hours) * 3600 + int64_t(minutes) * 60 + seconds;
}

double speedKmh(const TSYSTEMPARA &para)
{
    return std::abs(double(para.m_EvgVelocity)) / 100 * SpeedFactor;
}

double speedLimitKmh(const TSYSTEMPARA &para)
{
    return para.m_SpeedLimitValue / 10.0;
}

QString overspeedText(const TSYSTEMPARA &para)
{
    if (para.m_SpeedLimitValue == 0)
        return QStringLiteral("\\");
    return speedLimitKmh(para) >= speedKmh(para) ? QStringLiteral("否") : QStringLiteral("是");
}

} // namespace

const std::array<WorkTableColumn, WorkTableColumnCount> &workTableColumns()
{
    static const std::array<WorkTableColumn, WorkTableColumnCount> columns{{
        {QStringLiteral("序号"), 40},
        {QStringLiteral("线名"), 60},
        {QStringLiteral("站名"), 60},
        {QStringLiteral("线别"), 40},
        {QStringLiteral("地段"), 40},
        {QStringLiteral("左右股"), 60},
        {QStringLiteral("起始里程"), 80},
        {QStringLiteral("终止里程"), 80},
        {QStringLiteral("探伤里程"), 80},
        {QStringLiteral("起始时间"), 120},
        {QStringLiteral("结束时间"), 120},
        {QStringLiteral("探伤时间"), 80},
        {QStringLiteral("速度"), 60},
        {QStringLiteral("限速"), 60},
        {QStringLiteral("是否超速"), 40},
        {QStringLiteral("操作者"), 60},
        {QStringLiteral("工作单位"), 140},
    }};
    return columns;
}

WorkTableShown allWorkTableColumns()
{
    WorkTableShown shown;
    shown.fill(true);
    return shown;
}

int64_t inspectedMetres(const TSYSTEMPARA &para)
{
    return para.m_ImgRowIdx / RowsPerMetre;
}

QString kilometreText(int64_t metres)
{
    return QString::number(metres / 1000) + QStringLiteral("km+") + QString::number(metres % 1000) + u'm';
}

QString GetWorkTableString(const mystdfile &file, int slot, int k, int column)
{
    const TSYSTEMPARA &para = paraOf(file, k);
    switch (column) {
    case 0: return QString::number(k + 1);
    case 1: return stdText(para.m_LineNameChar, 10);
    case 2: return stdText(para.m_StationNameChar, 10);
    case 3: return lineTypeText(para.m_LineType);
    case 4: return QString::number(para.m_Area);
    case 5: return StdFormat::railSideName(para.m_LeftRightLine);
    case 6: return QString::number(para.m_StartPointKm) + QStringLiteral("km+") + QString::number(para.m_StartPointM) + u'm';
    case 7: return QString::number(para.m_MileageKm) + QStringLiteral("km+") + QString::number(para.m_MileageM) + u'm';
    case 8: return QString::number(inspectedMetres(para)) + u'm';
    case 9: return dateTimeText(para.m_Date, para.m_Time);
    case 10: return dateTimeText(para.m_EndDate, para.m_EndTime);
    case 11: return durationText(para);
    case 12: return common::formatFloat(float(speedKmh(para))) + QStringLiteral("km/h");
    case 13:
        if (para.m_SpeedLimitValue == 0)
            return QStringLiteral("不限速");
        return common::formatFloat(float(speedLimitKmh(para))) + QStringLiteral("km/h");
    case 14: return overspeedText(para);
    case 15: return slot == 0 ? QString::number(para.m_Operator) : stdText(para.m_OperatorName, 10);
    case 16: return slot == 0 ? QString::number(para.m_Company) : stdText(para.m_CompanyChar, 10);
    default: return {};
    }
}

QStringList workTableRow(const mystdfile &file, int slot, int k, const WorkTableShown &shown)
{
    QStringList cells{GetWorkTableString(file, slot, k, 0)};
    for (int column = 1; column < WorkTableColumnCount; ++column) {
        if (shown[size_t(column)])
            cells.append(GetWorkTableString(file, slot, k, column));
    }
    return cells;
}

QStringList workTableTotalsRow(const mystdfile &file, const WorkTableShown &shown)
{
    const int count = int(file.std_systemparas.size());
    QStringList cells{QStringLiteral("统计")};
    for (int column = 1; column < WorkTableColumnCount; ++column) {
        if (!shown[size_t(column)])
            continue;
        if (column == WorkTableDistanceColumn) {
            int64_t metres = 0;
            for (int k = 0; k < count; ++k)
                metres += inspectedMetres(file.std_systemparas[size_t(k)]);
            cells.append(kilometreText(metres));
        } else if (column == WorkTableDurationColumn) {
            int64_t seconds = 0;
            for (int k = 0; k < count; ++k)
                seconds += durationSeconds(durationText(file.std_systemparas[size_t(k)]), k);
            cells.append(durationText(seconds));
        } else if (column <= 10) {
            cells.append(QStringLiteral(" "));
        } else {
            cells.append(QString());
        }
    }
    return cells;
}

QString selectedDistanceText(const mystdfile &file, std::span<const int> selectedLines)
{
    const int count = int(file.std_systemparas.size());
    int64_t metres = 0;
    for (const int line : selectedLines) {
        if (line >= 0 && line < count)
            metres += inspectedMetres(file.std_systemparas[size_t(line)]);
    }
    return QStringLiteral("选中总里程: ") + kilometreText(metres);
}

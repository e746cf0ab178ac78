#pragma once
// The work table: one line per sub-file of a recording (line, station, mileages,
// distance inspected, times, speed and verdict, operator, unit) and a totals line.

#include "recording/STDDataOperation.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <span>

struct WorkTableColumn {
    QString caption;
    int width;  // pixels
};

constexpr int WorkTableColumnCount = 17;
constexpr int WorkTableDistanceColumn = 8;
constexpr int WorkTableDurationColumn = 11;

const std::array<WorkTableColumn, WorkTableColumnCount> &workTableColumns();

// Which columns are shown, by index; column 0 ("序号") is shown whatever it holds.
using WorkTableShown = std::array<bool, WorkTableColumnCount>;
WorkTableShown allWorkTableColumns();

// The text of one cell of sub-file k (0-based). Slot 0 names the operator and the
// unit by number, slot 1 by name, as the two instruments' recordings differ there.
QString GetWorkTableString(const mystdfile &file, int slot, int k, int column);

// Distance inspected by one sub-file in whole metres (500 rows are one metre).
int64_t inspectedMetres(const TSYSTEMPARA &para);
// "12km+345m"
QString kilometreText(int64_t metres);

// The cells of sub-file k for the shown columns, in index order.
QStringList workTableRow(const mystdfile &file, int slot, int k, const WorkTableShown &shown);

// The totals line for the shown columns. The total duration is added up from each
// sub-file's duration text; throws StdDataError when one of them cannot be read back
// (a recording that ran past midnight gives negative parts).
QStringList workTableTotalsRow(const mystdfile &file, const WorkTableShown &shown);

// Status-bar text for the selected list lines (0-based); the totals line and lines
// beyond the sub-files add nothing.
QString selectedDistanceText(const mystdfile &file, std::span<const int> selectedLines);

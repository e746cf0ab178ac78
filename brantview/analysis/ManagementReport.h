#pragma once
// The management report: the management file's raw dump beside it, and a workbook
// with the daily inspection summary "探伤报告", the overspeed list "超速报告", the
// power-on periods "开关机记录" and the running log "流水记录".

#include "ManagementFile.h"

#include "common/UserError.h"
#include "office/Workbook.h"
#include "recording/RecordingSlot.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace brantview {

inline const QString SummarySheetName = QStringLiteral("探伤报告");
inline const QString OverspeedSheetName = QStringLiteral("超速报告");
inline const QString PowerSheetName = QStringLiteral("开关机记录");
inline const QString RunningLogSheetName = QStringLiteral("流水记录");

struct ManagementReportOptions {
    bool Check_detail = true;  // the running log "流水记录"
    bool Check_time = true;    // the power on/off sheet "开关机记录"
    bool Check_speed = true;   // the overspeed sheet "超速报告"
    // Of the recording open in the main window; decides the words for line kinds 1 and 2.
    int FirmwareVersion = 0;
};

// Percentages of the work done, 0 to 100.
using ManagementProgress = std::function<void(int percent)>;

// Consecutive records of one calendar date, [first, end). A clock change ends a
// group and belongs to none.
struct DayGroup {
    size_t first = 0;
    size_t end = 0;
    ManagementDate date;
    std::optional<size_t> clockChange;  // the clock change that ended the group
    int progress = 30;                  // where the progress bar stands when it is written
};

// The groups in file order. Overspeed summaries carry no date and stay where they
// stand; the end of the records closes the last group whatever its date.
std::vector<DayGroup> DayGroups(const std::vector<ManagementRecord> &records);

// A power-on closed by the next power-off of its group.
struct PowerPeriod {
    ManagementDate startDate;
    ManagementTime startTime;
    int64_t startMileage = 0;  // metres
    int directionBit = 0;      // 1: mileage increasing
    int durationSeconds = 0;
    int64_t distanceMetres = 0;  // along the direction of travel
};

struct GroupPeriods {
    std::vector<PowerPeriod> periods;
    std::optional<size_t> firstPowerOn;  // paired or not
};

// A second power-on replaces the open period's start; a power-off with no open
// period, and a period still open at the group's end, count for nothing.
GroupPeriods PowerPeriods(const std::vector<ManagementRecord> &records, const DayGroup &group);

// The next row of each report sheet.
struct ReportRowCounters {
    int summary = 2;
    int overspeed = 2;
    int power = 2;
};

// Adds the requested sheets in front of the workbook's own, in the order
// "探伤报告", "超速报告", "开关机记录", "流水记录".
void AddReportSheets(Workbook &book, const ManagementReportOptions &options);
// Page headers and footers, fonts, headings, widths and formats of the report sheets.
void PrepareReportSheets(Workbook &book, const ManagementReportOptions &options);
// The group's summary columns 1-5 and 8-11 and its power on/off rows.
void WritePeriodRows(Workbook &book, const std::vector<ManagementRecord> &records, const DayGroup &group,
                     const ManagementReportOptions &options, ReportRowCounters &counters);
// The group's overspeed rows and summary columns 6 and 7; finishes its summary row.
void WriteOverspeedRows(Workbook &book, const std::vector<ManagementRecord> &records, const DayGroup &group,
                        const ManagementReportOptions &options, ReportRowCounters &counters);
// Every record on the row of its index + 1.
void WriteRunningLog(Worksheet &sheet, const std::vector<ManagementRecord> &records, int firmwareVersion);

// Fills a new workbook with the whole report, reporting progress 20 to 80.
void FillManagementReport(Workbook &book, const std::vector<ManagementRecord> &records,
                          const ManagementReportOptions &options, const ManagementProgress &progress = {});

// The workbook could not be made (a damaged field, a row beyond the sheet, a file
// that cannot be written): the windows show ExcelTroubleMessage, text() says why.
// No workbook is left behind; the dump, written before, stays.
class ManagementWorkbookError : public common::UserError {
public:
    using UserError::UserError;
};

struct ManagementExportResult {
    QString dumpPath;
    QString workbookPath;
    size_t records = 0;
};

// Reads the management file, writes its dump, then the workbook, written whole under
// `workbookPath` (by default the file's path ending in "xls"). `filled` sees the
// workbook once filled, before it is written. Throws ManagementFileError (nothing
// written), common::FileError (reading, or writing the dump) or ManagementWorkbookError.
ManagementExportResult ManagementExport(const QString &mgPath, const ManagementReportOptions &options,
                                        const ManagementProgress &progress = {}, const QString &workbookPath = {},
                                        const std::function<void(Workbook &)> &filled = {});

// The firmware version the viewer shows for a slot ("版本号: "): of the parameters in
// effect at its view; 0 when no record is open.
int ShownFirmwareVersion(const RecordingSlot &slot);

} // namespace brantview

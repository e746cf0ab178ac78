#include "ManagementReport.h"

#include "ManagementCells.h"
#include "WorkbookExport.h"

#include "common/NumberFormat.h"
#include "recording/ParamsInEffect.h"
#include "recording/RecordTexts.h"

#include <QFileInfo>

#include <cmath>

namespace brantview {

using namespace management;

namespace {

const QString PageHeader = QStringLiteral("&C&\"宋体,加粗\"&20&A");
const QString PageFooter = QStringLiteral("&L&\"Times New Roman,常规\"&D&T"
                                          "&C&\"Times New Roman,常规\"&F"
                                          "&R&\"Times New Roman,常规\"&P");

// The progress bar as the grouping walks on: 30 + 50 × index / index of the end.
int groupProgress(size_t index, size_t end)
{
    return 30 + int(std::nearbyint(50.0 * double(index) / double(end)));
}

void setHeadings(Worksheet &sheet, std::initializer_list<const char16_t *> headings)
{
    int column = 1;
    for (const char16_t *text : headings)
        sheet.setCell(1, column++, QString::fromUtf16(text));
}

void setWidths(Worksheet &sheet, std::initializer_list<double> widths)
{
    int column = 1;
    for (const double width : widths)
        sheet.setColumnWidth(column++, width);
}

void setReportPage(Worksheet &sheet)
{
    sheet.pageSetup().header = PageHeader;
    sheet.pageSetup().footer = PageFooter;
}

// Kinds 0-5 name the line and its number; 6-15 have no text.
QString lineText(const ManagementRecord &powerOn, int firmwareVersion)
{
    const int kind = powerOn.lineKind();
    if (kind > 5)
        return {};
    return lineKindText(kind, firmwareVersion) + trackOrLineText(powerOn.lineNumber(), kind);
}

} // namespace

std::vector<DayGroup> DayGroups(const std::vector<ManagementRecord> &records)
{
    std::vector<DayGroup> groups;
    if (records.empty())
        return groups;
    const size_t end = records.size();  // the end sentinel's index
    DayGroup current;
    current.date = records[0].date();
    for (size_t i = 1; i <= end; ++i) {
        const bool atEnd = i == end;
        if (!atEnd && records[i].kind() == ManagementRecordKind::OverspeedSummary)
            continue;
        const bool clockChange = !atEnd && records[i].kind() == ManagementRecordKind::ClockChange;
        if (!atEnd && !clockChange && records[i].date() == current.date)
            continue;
        current.end = i;
        current.progress = groupProgress(i, end);
        if (clockChange)
            current.clockChange = i;
        groups.push_back(current);
        if (atEnd)
            break;
        current = DayGroup{};
        current.date = records[i].date();
        current.first = clockChange ? i + 1 : i;
    }
    return groups;
}

GroupPeriods PowerPeriods(const std::vector<ManagementRecord> &records, const DayGroup &group)
{
    GroupPeriods result;
    std::optional<PowerPeriod> open;
    for (size_t i = group.first; i < group.end; ++i) {
        const ManagementRecord &r = records[i];
        if (r.kind() == ManagementRecordKind::PowerOn) {
            if (!result.firstPowerOn)
                result.firstPowerOn = i;
            open = PowerPeriod{r.date(), r.time(), r.mileageMetres(), r.directionBit(), 0, 0};
        } else if (r.kind() == ManagementRecordKind::PowerOff && open) {
            open->durationSeconds = r.time().seconds() - open->startTime.seconds();
            const int64_t moved = r.mileageMetres() - open->startMileage;
            open->distanceMetres = open->directionBit == 1 ? moved : -moved;
            result.periods.push_back(*open);
            open.reset();
        }
    }
    return result;
}

void AddReportSheets(Workbook &book, const ManagementReportOptions &options)
{
    auto add = [&](const QString &name) { book.addSheet().setName(name); };
    if (options.Check_detail)
        add(RunningLogSheetName);
    if (options.Check_time)
        add(PowerSheetName);
    if (options.Check_speed)
        add(OverspeedSheetName);
    add(SummarySheetName);
}

void PrepareReportSheets(Workbook &book, const ManagementReportOptions &options)
{
    Worksheet &summary = book.sheet(SummarySheetName);
    setReportPage(summary);
    summary.setFont(QStringLiteral("宋体"), 10);
    summary.pageSetup().printGridlines = true;
    summary.pageSetup().orientation = PageSetup::Landscape;
    setHeadings(summary, {u"探伤日期", u"开始时间", u"持续时间", u"探伤时间", u"探伤总距离(公里)", u"超速总距离(公里)",
                          u"超速百分比%", u"开关机次数", u"左右侧", u"线别", u"限速(公里/小时)"});
    setWidths(summary, {9.13, 9.25, 9.88, 10.5, 13.25, 13.38, 9.88, 9.25, 7.38, 10, 15});
    for (const int column : {2, 3, 4})
        summary.setColumnNumberFormat(column, TimeFormat);
    summary.setColumnNumberFormat(5, QStringLiteral("000.000"));
    summary.setColumnNumberFormat(6, QStringLiteral("000.000"));
    summary.setColumnNumberFormat(7, QStringLiteral("00.00%"));
    summary.setColumnNumberFormat(11, QStringLiteral("0.00"));

    if (options.Check_speed) {
        Worksheet &overspeed = book.sheet(OverspeedSheetName);
        setReportPage(overspeed);
        overspeed.pageSetup().orientation = PageSetup::Portrait;
        overspeed.setFirstRowBold(true);
        setHeadings(overspeed, {u"超速日期", u"工号", u"超速开始时间", u"超速位置", u"超速距离(KM)", u"超速速度(km/h)"});
        setWidths(overspeed, {10, 5, 16, 10, 15, 16});
        overspeed.setColumnNumberFormat(3, TimeFormat);
        overspeed.setColumnNumberFormat(4, QStringLiteral("000.000"));
        overspeed.setColumnNumberFormat(5, QStringLiteral("000.000"));
        overspeed.setColumnNumberFormat(6, QStringLiteral("0.00"));
    }

    if (options.Check_time) {
        Worksheet &power = book.sheet(PowerSheetName);
        setReportPage(power);
        power.pageSetup().orientation = PageSetup::Portrait;
        power.pageSetup().draft = false;
        power.pageSetup().paperSize = PageSetup::PaperA4;
        power.setFirstRowBold(true);
        setHeadings(power, {u"探伤日期", u"开始时间", u"持续时间", u"探伤位置(公里)", u"探伤距离(公里)", u"里程增减"});
        setWidths(power, {10, 12, 12, 15, 15});
        power.setColumnNumberFormat(2, TimeFormat);
        power.setColumnNumberFormat(3, TimeFormat);
        power.setColumnNumberFormat(4, QStringLiteral("000.000"));
        power.setColumnNumberFormat(5, QStringLiteral("000.000"));
    }
}

void WritePeriodRows(Workbook &book, const std::vector<ManagementRecord> &records, const DayGroup &group,
                     const ManagementReportOptions &options, ReportRowCounters &counters)
{
    const GroupPeriods built = PowerPeriods(records, group);
    const std::vector<PowerPeriod> &periods = built.periods;

    // The day's work runs from the first period that moved (more than 1 m) to the last.
    size_t first = 0;
    size_t last = 0;
    bool moved = false;
    for (size_t k = 0; k < periods.size(); ++k) {
        if (periods[k].distanceMetres > 1) {
            if (!moved)
                first = k;
            last = k;
            moved = true;
        }
    }

    Worksheet &summary = book.sheet(SummarySheetName);
    const int row = counters.summary;
    int64_t spanSeconds = 0;
    int64_t workedSeconds = 0;
    int64_t distanceMetres = 0;
    if (!periods.empty()) {
        setDateCell(summary, row, 1, periods[first].startDate);
        setTimeCell(summary, row, 2, periods[first].startTime);
        spanSeconds = int64_t(periods[last].startTime.seconds()) - periods[first].startTime.seconds()
                      + periods[last].durationSeconds;
        for (size_t k = first; k <= last; ++k) {
            workedSeconds += periods[k].durationSeconds;
            distanceMetres += periods[k].distanceMetres;
        }
    }
    summary.setCell(row, 3, daysOfSeconds(spanSeconds));
    summary.setCell(row, 4, daysOfSeconds(workedSeconds));
    summary.setCell(row, 5, double(distanceMetres) / 1000.0);
    summary.setCell(row, 8, double(periods.size()));

    if (built.firstPowerOn) {
        const ManagementRecord &on = records[*built.firstPowerOn];
        summary.setCell(row, 9, managementRailSideText(on.railSide()));
        summary.setCell(row, 10, lineText(on, options.FirmwareVersion));
        summary.setCell(row, 11, speedLimitText(on.speedLimit()));
    }

    // A date is written only with the rows under it.
    if (options.Check_time && !periods.empty()) {
        Worksheet &power = book.sheet(PowerSheetName);
        setDateCell(power, counters.power, 1, periods[0].startDate);
        for (const PowerPeriod &period : periods) {
            const int at = counters.power++;
            setTimeCell(power, at, 2, period.startTime);
            power.setCell(at, 3, daysOfSeconds(period.durationSeconds));
            power.setCell(at, 4, double(period.startMileage) / 1000.0);
            power.setCell(at, 5, double(period.distanceMetres) / 1000.0);
            power.setCell(at, 6, period.directionBit == 1 ? QStringLiteral("增加") : QStringLiteral("减少"));
        }
    }
}

void WriteOverspeedRows(Workbook &book, const std::vector<ManagementRecord> &records, const DayGroup &group,
                        const ManagementReportOptions &options, ReportRowCounters &counters)
{
    struct Overspeed {
        int operatorNumber;
        ManagementTime start;
        int64_t mileageMetres;
        int64_t distanceMetres;
        double speed;
    };
    std::vector<Overspeed> found;
    for (size_t i = group.first; i < group.end; ++i) {
        const ManagementRecord &r = records[i];
        if (r.kind() == ManagementRecordKind::OverspeedSummary)
            found.push_back({r.operatorNumber(), r.time(), r.mileageMetres(), r.summaryDistanceMetres(), r.summarySpeed()});
    }

    int64_t totalMetres = 0;
    if (options.Check_speed && !found.empty()) {
        Worksheet &overspeed = book.sheet(OverspeedSheetName);
        setDateCell(overspeed, counters.overspeed, 1, group.date);
        for (const Overspeed &o : found) {
            const int at = counters.overspeed++;
            overspeed.setCell(at, 2, double(o.operatorNumber));
            setTimeCell(overspeed, at, 3, o.start);
            overspeed.setCell(at, 4, common::formatPattern(double(o.mileageMetres) / 1000.0, u"000.000"));
            overspeed.setCell(at, 5, common::formatPattern(double(o.distanceMetres) / 1000.0, u"000.000"));
            overspeed.setCell(at, 6, common::formatPattern(o.speed, u"0.00"));
            totalMetres += o.distanceMetres;
        }
    }

    Worksheet &summary = book.sheet(SummarySheetName);
    const int row = counters.summary++;
    const double total = double(totalMetres) / 1000.0;
    summary.setCell(row, 6, total);
    const double distance = summary.cell(row, 5).toDouble();
    if (distance != 0)
        summary.setCell(row, 7, total / distance);
    else
        summary.setCell(row, 7, QStringLiteral("NIL"));
}

void FillManagementReport(Workbook &book, const std::vector<ManagementRecord> &records,
                          const ManagementReportOptions &options, const ManagementProgress &progress)
{
    auto report = [&](int percent) {
        if (progress)
            progress(percent);
    };
    report(20);
    report(25);
    AddReportSheets(book, options);
    report(30);
    PrepareReportSheets(book, options);

    ReportRowCounters counters;
    Worksheet &summary = book.sheet(SummarySheetName);
    for (const DayGroup &group : DayGroups(records)) {
        report(group.progress);
        WritePeriodRows(book, records, group, options, counters);
        WriteOverspeedRows(book, records, group, options, counters);
        if (group.clockChange) {
            const ManagementRecord &change = records[*group.clockChange];
            const int row = counters.summary++;
            summary.setCell(row, 1, QStringLiteral("修改时间"));
            setDateCell(summary, row, 2, change.date());
            setTimeCell(summary, row, 3, change.time(), TimeFormat);
            setDateCell(summary, row, 4, change.newDate());
            setTimeCell(summary, row, 5, change.newTime(), TimeFormat);
        }
    }

    if (options.Check_detail)
        WriteRunningLog(book.sheet(RunningLogSheetName), records, options.FirmwareVersion);
}

ManagementExportResult ManagementExport(const QString &mgPath, const ManagementReportOptions &options,
                                        const ManagementProgress &progress, const QString &workbookPath,
                                        const std::function<void(Workbook &)> &filled)
{
    auto report = [&](int percent) {
        if (progress)
            progress(percent);
    };
    ManagementExportResult result;
    const std::vector<ManagementRecord> records = LoadManagementFile(mgPath);
    result.records = records.size();
    report(0);
    result.dumpPath = WriteManagementDump(mgPath, records);
    report(10);

    result.workbookPath = workbookPath.isEmpty() ? ManagementSiblingPath(mgPath, QStringLiteral("xls")) : workbookPath;
    try {
        // A management file named "….xls" would otherwise be replaced by its report.
        if (QFileInfo(result.workbookPath).absoluteFilePath() == QFileInfo(mgPath).absoluteFilePath())
            throw ManagementWorkbookError(QStringLiteral("工作簿 %1 会覆盖管理文件").arg(result.workbookPath));
        WriteWorkbook(result.workbookPath, [&](Workbook &book) {
            FillManagementReport(book, records, options, progress);
            if (filled)
                filled(book);
        });
    } catch (const ManagementWorkbookError &) {
        throw;
    } catch (const common::UserError &e) {
        throw ManagementWorkbookError(e.text());
    }
    report(90);
    report(100);
    return result;
}

int ShownFirmwareVersion(const RecordingSlot &slot)
{
    if (!slot.isStream())
        return 0;
    const ParamEntry *params = ParamsInEffect(slot);
    return params ? paramBlockOf(*params).firmwareVersion() : 0;
}

} // namespace brantview

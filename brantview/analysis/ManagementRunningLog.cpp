// The running log "流水记录": every record of the management file on the row of its
// index + 1, as texts in the instrument's own patterns.

#include "ManagementCells.h"
#include "ManagementReport.h"

#include "common/NumberFormat.h"
#include "recording/RecordTexts.h"

#include <algorithm>
#include <climits>

namespace brantview {

using namespace management;

namespace {

const QString MileageTextPattern = QStringLiteral("000.000公里");

QString speedText(double kmPerHour)
{
    return common::formatPattern(kmPerHour, u"0.00km/h");
}

} // namespace

void WriteRunningLog(Worksheet &sheet, const std::vector<ManagementRecord> &records, int firmwareVersion)
{
    // Overspeed summaries carry no date: they show that of the last power-on or clock change.
    std::optional<ManagementDate> lastStartDate;
    for (size_t n = 0; n < records.size(); ++n) {
        const ManagementRecord &r = records[n];
        const ManagementRecordKind kind = r.kind();
        if (kind == ManagementRecordKind::Empty)
            continue;
        // Rows beyond the sheet are refused by the sheet.
        const int row = int(std::min(n + 1, size_t(INT_MAX)));
        auto setText = [&](int column, const QString &text) {
            if (!text.isEmpty())
                sheet.setCell(row, column, text);
        };

        if (kind == ManagementRecordKind::OverspeedSummary)
            setText(2, lastStartDate ? dateText(*lastStartDate) : QString());
        else
            setText(2, dateText(r.date()));
        setText(3, timeText(r.time()));
        if (kind != ManagementRecordKind::ClockChange && kind != ManagementRecordKind::OverspeedSummary)
            sheet.setCell(row, 4, common::formatPattern(r.mileageKm(), MileageTextPattern));

        switch (kind) {
        case ManagementRecordKind::PowerOn:
            sheet.setCell(row, 1, QStringLiteral("开机记录"));
            sheet.setCell(row, 5, common::formatPattern(r.lineNumber(), u"000\"号股/号轨\""));
            sheet.setCell(row, 6, managementRailSideText(r.railSide()));
            setText(7, lineKindText(r.lineKind(), firmwareVersion));
            sheet.setCell(row, 8, speedLimitText(r.speedLimit()));
            sheet.setCell(row, 9, r.directionBit() == 1 ? QStringLiteral("里程增加") : QStringLiteral("里程减少"));
            lastStartDate = r.date();
            break;
        case ManagementRecordKind::PowerOff:
            sheet.setCell(row, 1, QStringLiteral("关机记录"));
            sheet.setCell(row, 5, common::formatPattern(r.batteryTenths() / 10.0, u"00.0V"));
            sheet.setCell(row, 8, speedLimitText(r.speedLimit()));
            break;
        case ManagementRecordKind::GainChange:
            sheet.setCell(row, 1, QStringLiteral("衰减量"));
            for (int k = 0; k < 5; ++k)
                sheet.setCell(row, 5 + k, common::formatPattern(r.attenuation(k), u"00dB"));
            break;
        case ManagementRecordKind::SpeedLimitChange:
            sheet.setCell(row, 1, QStringLiteral("限速改变"));
            sheet.setCell(row, 8, speedLimitText(r.speedLimit()));
            break;
        case ManagementRecordKind::OverspeedStart:
        case ManagementRecordKind::OverspeedEnd:
            sheet.setCell(row, 1, kind == ManagementRecordKind::OverspeedStart ? QStringLiteral("超速开始")
                                                                                : QStringLiteral("超速结束"));
            sheet.setCell(row, 7, speedText(r.overspeedSpeed()));
            sheet.setCell(row, 8, speedLimitText(r.overspeedLimit()));
            break;
        case ManagementRecordKind::ClockChange:
            sheet.setCell(row, 1, QStringLiteral("修改时间"));
            setText(4, dateText(r.newDate()));
            sheet.setCellNumberFormat(row, 4, DateFormat);
            setText(5, timeText(r.newTime()));
            sheet.setCellNumberFormat(row, 5, TimeFormat);
            lastStartDate = r.newDate();
            break;
        case ManagementRecordKind::OverspeedSummary:
            sheet.setCell(row, 1, QStringLiteral("超速纪录"));
            sheet.setCell(row, 4, double(r.summaryDistanceMetres()) / 1000.0);
            sheet.setCellNumberFormat(row, 4, QStringLiteral("000.000"));
            sheet.setCell(row, 5, speedText(r.summarySpeed()));
            break;
        default:
            // Codes the instrument does not write show their date, time and mileage only.
            break;
        }
    }
    sheet.setColumnWidth(2, 18);
    sheet.setColumnWidth(3, 16);
    sheet.setColumnWidth(4, 12);
    sheet.setColumnNumberFormat(4, MileageTextPattern);
}

} // namespace brantview

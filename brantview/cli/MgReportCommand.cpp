// mgreport: the management report of a management file, its dump and its workbook.

#include "Commands.h"

#include "analysis/ManagementReport.h"
#include "common/cli/CliArgs.h"

#include <QJsonArray>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using namespace brantview;

namespace {

// A cell as it holds its value: text, a number with the format it shows through, or null.
QJsonValue cellJson(const Worksheet &sheet, int row, int column)
{
    const QVariant value = sheet.cell(row, column);
    if (!value.isValid())
        return QJsonValue::Null;
    if (value.typeId() != QMetaType::Double)
        return value.toString();
    const QString format = sheet.cellNumberFormat(row, column);
    if (format.isEmpty())
        return value.toDouble();
    return QJsonObject{{QStringLiteral("value"), value.toDouble()}, {QStringLiteral("format"), format}};
}

QJsonArray sheetsJson(Workbook &book)
{
    QJsonArray sheets;
    for (int i = 1; i <= book.sheetCount(); ++i) {
        const Worksheet &sheet = book.sheet(i);
        QJsonArray rows;
        const int lastColumn = sheet.lastColumn();
        for (int row = 1; row <= sheet.lastRow(); ++row) {
            QJsonArray cells;
            for (int column = 1; column <= lastColumn; ++column)
                cells.append(cellJson(sheet, row, column));
            while (!cells.isEmpty() && cells.last().isNull())
                cells.removeLast();
            rows.append(cells);
        }
        sheets.append(QJsonObject{{QStringLiteral("name"), sheet.name()}, {QStringLiteral("rows"), rows}});
    }
    return sheets;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("firmware")},
                                 {QStringLiteral("no-detail"), false},
                                 {QStringLiteral("no-time"), false},
                                 {QStringLiteral("no-speed"), false},
                                 {QStringLiteral("out")}});
    const QString path = options.file();
    const QString out = options.required(QStringLiteral("out"));
    ManagementReportOptions report;
    report.Check_detail = !options.has(QStringLiteral("no-detail"));
    report.Check_time = !options.has(QStringLiteral("no-time"));
    report.Check_speed = !options.has(QStringLiteral("no-speed"));
    if (const auto firmware = options.optionalInt(QStringLiteral("firmware"))) {
        if (*firmware < 0 || *firmware > 0xFFFF)
            throw UsageError(QStringLiteral("--firmware: %1 is outside 0 to 65535").arg(*firmware));
        report.FirmwareVersion = *firmware;
    }

    QJsonArray sheets;
    const ManagementExportResult result =
        ManagementExport(path, report, {}, out, [&](Workbook &book) { sheets = sheetsJson(book); });
    return QJsonObject{{QStringLiteral("path"), path},
                       {QStringLiteral("records"), qint64(result.records)},
                       {QStringLiteral("FirmwareVersion"), report.FirmwareVersion},
                       {QStringLiteral("dump"), result.dumpPath},
                       {QStringLiteral("workbook"), result.workbookPath},
                       {QStringLiteral("sheets"), sheets}};
}

} // namespace

CliCommand mgreportCommand()
{
    return {QStringLiteral("mgreport"),
            QStringLiteral("write the management report of a management file (MG*.DAT)"),
            QStringLiteral("Usage: brantview-cli mgreport FILE --out NAME.xls [--firmware V] [--no-detail] [--no-time]\n"
                           "                             [--no-speed]\n"
                           "Writes the raw dump of FILE beside it (FILE with its last three characters replaced by\n"
                           "\"txt\") and the report workbook under NAME: \"探伤报告\", \"超速报告\" (not with\n"
                           "--no-speed), \"开关机记录\" (not with --no-time), \"流水记录\" (not with --no-detail).\n"
                           "V is the firmware version that names line kinds 1 and 2 (default 0: no record open).\n"
                           "Prints both paths and every sheet's rows: texts, numbers with their formats, null\n"
                           "for empty cells. A file that is empty or not whole 16-byte records is refused with\n"
                           "\"文件格式不对或是空文件\"; a failed workbook leaves none, the dump stays.\n"),
            run};
}

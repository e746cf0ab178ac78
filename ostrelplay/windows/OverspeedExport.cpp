#include "OverspeedExport.h"

#include "office/OfficeError.h"
#include "office/Workbook.h"

#include <memory>

namespace {

void fillSheet(Worksheet &sheet, const std::vector<OverspeedRow> &rows)
{
    sheet.setAllColumns(20, true);
    const QString headers[] = {QStringLiteral("序号"), QStringLiteral("起始里程"), QStringLiteral("结束里程"),
                               QStringLiteral("超速距离"), QStringLiteral("平均速度")};
    for (int column = 1; column <= 5; ++column)
        sheet.setCell(1, column, headers[column - 1]);
    int row = 2;
    for (const OverspeedRow &line : rows) {
        const QString cells[] = {line.caption, line.startMileage, line.endMileage, line.distance, line.averageSpeed};
        for (int column = 1; column <= 5; ++column)
            sheet.setCell(row, column, cells[column - 1]);
        ++row;
    }
}

} // namespace

QString overspeedExportMessage(OverspeedExport outcome)
{
    switch (outcome) {
    case OverspeedExport::EmptyList:
        return QStringLiteral("列表为空，无法导出！");
    case OverspeedExport::NoExcel:
        return QStringLiteral("您的电脑没有安装excel！");
    case OverspeedExport::ExcelUnavailable:
        return QStringLiteral("调用Excel失败，Excel不可用。");
    case OverspeedExport::Saved:
        break;
    }
    return {};
}

QString overspeedExportTitle(OverspeedExport outcome)
{
    switch (outcome) {
    case OverspeedExport::NoExcel:
        return QStringLiteral("警告");
    case OverspeedExport::ExcelUnavailable:
        return QStringLiteral("错误");
    case OverspeedExport::Saved:
    case OverspeedExport::EmptyList:
        break;
    }
    return {};
}

OverspeedExport exportOverspeed(const std::vector<OverspeedRow> &rows, const QString &path)
{
    if (rows.empty())
        return OverspeedExport::EmptyList;
    std::unique_ptr<Workbook> book;
    try {
        book = std::make_unique<Workbook>();
    } catch (const OfficeError &) {
        return OverspeedExport::NoExcel;
    }
    Worksheet *sheet = nullptr;
    try {
        sheet = &book->sheet(1);
    } catch (const OfficeError &) {
        return OverspeedExport::ExcelUnavailable;
    }
    fillSheet(*sheet, rows);
    book->saveAs(path);
    book->close();
    return OverspeedExport::Saved;
}

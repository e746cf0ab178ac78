#include "WordReport.h"

#include "office/Document.h"
#include "office/OfficeError.h"
#include "recording/StdErrors.h"
#include "recording/StdFormat.h"
#include "recording/StdText.h"
#include "common/FileNames.h"
#include "rendering/BScanRenderer.h"

#include <QDate>
#include <QLocale>

namespace {

constexpr int ThickerLines = 2;


QString railMakerName(int maker)
{
    switch (maker) {
    case 0: return QStringLiteral("攀钢");
    case 1: return QStringLiteral("鞍钢");
    case 2: return QStringLiteral("武钢");
    case 3: return QStringLiteral("包钢");
    default: return {};
    }
}

// A value outside its table leaves the template's cell as it is.
void setKnownCell(Document &report, int row, int column, const QString &text)
{
    if (!text.isEmpty())
        report.setCellText(row, column, text);
}

// The cell is built line by line: what it holds, then the next line.
void appendCellLine(Document &report, int row, int column, const QString &line)
{
    const QString current = report.cellText(row, column);
    report.setCellText(row, column, current.isEmpty() ? line : current + QLatin1Char('\n') + line);
}

QString gainLine(const mystdfile &file, int firstPara)
{
    QStringList texts;
    for (int para = firstPara; para < firstPara + 3; ++para)
        texts << file.GetPara(para).remove(QLatin1Char(' '));
    return texts.join(QStringLiteral("  "));
}

QString speedText(const StdFrame &frame)
{
    return QString::number(double(frame.ScanSpeed) / 100 / 4 * 3, 'g', 15);
}

// The right two thirds of the B-scan drawn again with thicker lines; `report` is a
// copy of the slot's frame, which keeps its own picture.
QImage reportPicture(const mystdfile &file, StdFrame &report, int paneWidth, int paneHeight)
{
    report.style.LineWidth += ThickerLines;
    try {
        report.DrawBitMap(file, paneWidth, paneHeight, report.std_ABitMap.width(), report.std_ABitMap.height(),
                          report.CurPlayPos);
    } catch (const StdDataError &) {
        drawFailureText(report);
    }
    const QImage &scan = report.std_BBitMap;
    const int width = scan.width() * 2 / 3;
    return scan.copy(scan.width() - width, 0, width, scan.height());
}

void fillTable(Document &report, const mystdfile &file, StdFrame &frame, int paneWidth, int paneHeight)
{
    const TSYSTEMPARA &para = file.std_systempara;
    setKnownCell(report, 1, 2, stdText(para.m_LineNameChar, 10));
    setKnownCell(report, 1, 4, StdFormat::lineTypeName(para.m_LineType));
    setKnownCell(report, 1, 6, StdFormat::railSideName(para.m_LeftRightLine));
    setKnownCell(report, 3, 6, stdText(para.m_OperatorName, 10));
    setKnownCell(report, 2, 2, StdFormat::railTypeName(para.m_RailType));
    setKnownCell(report, 3, 4, file.GetPara(0));
    setKnownCell(report, 2, 6, railMakerName(para.m_Factory));
    for (int firstPara : {31, 34, 37})
        appendCellLine(report, 4, 2, gainLine(file, firstPara));
    appendCellLine(report, 5, 1, QStringLiteral("地段：") + QString::number(para.m_Area));
    appendCellLine(report, 5, 1, QStringLiteral("当前里程：") + file.GetMileage(frame.CurPlayPos));
    appendCellLine(report, 5, 1, QStringLiteral("速度：") + speedText(frame) + QStringLiteral("km/h"));
    setKnownCell(report, 7, 2, stdText(para.m_CompanyChar, 10));
    setKnownCell(report, 8, 4, QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    report.setCellPicture(6, 1, reportPicture(file, frame, paneWidth, paneHeight));
}

} // namespace

QString reportPath(const QString &chosenName)
{
    return common::withExtension(chosenName, QStringLiteral(".doc"));
}

QString reportCaption(const QString &outPath)
{
    return QStringLiteral("探伤报告保存于") + outPath;
}

QString exportReport(const mystdfile &file, const StdFrame &frame, int paneWidth, int paneHeight,
                     const QString &templatePath, const QString &outPath)
{
    Document report;
    QString error;
    StdFrame reportFrame = frame;
    try {
        report = Document::fromTemplate(templatePath);
        fillTable(report, file, reportFrame, paneWidth, paneHeight);
    } catch (const OfficeError &e) {
        error = e.text();
    }
    report.save(outPath);
    return error;
}

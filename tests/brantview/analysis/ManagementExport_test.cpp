// The management export end to end: the dump and the workbook as files, read back
// from disk, and the failures that must leave no workbook behind.

#include "analysis/ManagementReport.h"
#include "synth/ManagementRecordBuilder.h"
#include "synth/ManagementSynth.h"
#include "synth/StreamSynth.h"
#include "recording/RecordingLoader.h"

#include "TestFiles.h"
#include "XlsxReadBack.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace brantview;

namespace {

const QByteArray OneDay = mgPowerOn({14, 8, 13, 8, 0, 0}, 12, 345, 3000, 12, 0, 1, 1)
                          + mgOverspeedSummary({14, 8, 13, 8, 30, 0}, 77, 12, 500, 250, 4.5)
                          + mgPowerOff({14, 8, 13, 9, 0, 0}, 14, 345, 3000, 125);

QStringList entries(const TestFiles::TestDir &dir)
{
    return QDir(dir.path(".")).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// libxlsxwriter stores a width as whole pixels with the cell padding added.
double storedWidth(double width)
{
    const double pixels = std::floor(width * 7 + 0.5) + 5;
    return std::floor(pixels / 7 * 256) / 256;
}

TEST(ManagementExport, WritesTheDumpAndTheWorkbookWithItsPageSetUp)
{
    TestFiles::TestDir dir;
    const QString mg = dir.write("MG0001.DAT", OneDay);
    std::vector<int> progress;
    const ManagementExportResult result = ManagementExport(mg, {}, [&](int p) { progress.push_back(p); });
    EXPECT_EQ(result.dumpPath, dir.path("MG0001.txt"));
    EXPECT_EQ(result.workbookPath, dir.path("MG0001.xls"));
    EXPECT_EQ(result.records, 3u);
    EXPECT_EQ(entries(dir), (QStringList{"MG0001.DAT", "MG0001.txt", "MG0001.xls"}));
    EXPECT_TRUE(TestFiles::readBytes(result.dumpPath).startsWith("1,0,0,8,13,8,14,0,12,1,89,11,184,12,3,0\r\n"));
    ASSERT_GE(progress.size(), 7u);
    EXPECT_EQ(std::vector<int>(progress.begin(), progress.begin() + 5), (std::vector<int>{0, 10, 20, 25, 30}));
    EXPECT_EQ(progress[progress.size() - 3], 80);
    EXPECT_EQ(std::vector<int>(progress.end() - 2, progress.end()), (std::vector<int>{90, 100}));

    XlsxFile file(result.workbookPath);
    ASSERT_TRUE(file.isZip());
    EXPECT_EQ(file.sheetNames(), (std::vector<std::string>{"探伤报告", "超速报告", "开关机记录", "流水记录", "Sheet1"}));

    // 探伤报告: serial dates and times with their formats, 宋体 10, landscape, gridlines.
    EXPECT_EQ(file.cellValue(1, "A1"), "探伤日期");
    EXPECT_EQ(file.cellValue(1, "A2"), "41864");
    EXPECT_EQ(file.numberFormat(file.cellStyle(1, "A2")), "yyyy-mm-dd");
    EXPECT_DOUBLE_EQ(std::stod(file.cellValue(1, "B2")), 8.0 / 24);
    EXPECT_EQ(file.numberFormat(file.cellStyle(1, "B2")), "hh:mm:ss");
    EXPECT_EQ(file.numberFormat(file.cellStyle(1, "E2")), "000.000");
    EXPECT_EQ(file.cellValue(1, "E2"), "2");
    EXPECT_EQ(file.numberFormat(file.cellStyle(1, "G2")), "00.00%");
    EXPECT_EQ(file.cellValue(1, "G2"), "0.125");
    EXPECT_EQ(file.cellValue(1, "K2"), "3.00km/h");
    const auto summaryStyle = file.cellStyle(1, "K2");
    EXPECT_STREQ(file.font(summaryStyle).child("name").attribute("val").value(), "宋体");
    EXPECT_STREQ(file.font(summaryStyle).child("sz").attribute("val").value(), "10");
    const double widths[] = {9.13, 9.25, 9.88, 10.5, 13.25, 13.38, 9.88, 9.25, 7.38, 10, 15};
    for (int c = 1; c <= 11; ++c)
        EXPECT_NEAR(file.columnWidth(1, c), storedWidth(widths[c - 1]), 1e-9) << c;

    const std::string header = "&C&\"宋体,加粗\"&20&A";
    const std::string footer = "&L&\"Times New Roman,常规\"&D&T&C&\"Times New Roman,常规\"&F&R&\"Times New Roman,常规\"&P";
    struct Page {
        int sheet;
        const char *orientation;
        const char *paper;  // "" when left to the printer
        bool gridlines;
        bool bold;
    };
    for (const Page &page : {Page{1, "landscape", "", true, false}, Page{2, "portrait", "", false, true},
                             Page{3, "portrait", "9", false, true}}) {
        const auto sheet = file.sheetXml(page.sheet);
        const auto ws = sheet.child("worksheet");
        EXPECT_EQ(ws.child("headerFooter").child("oddHeader").text().get(), header) << page.sheet;
        EXPECT_EQ(ws.child("headerFooter").child("oddFooter").text().get(), footer) << page.sheet;
        EXPECT_STREQ(ws.child("pageSetup").attribute("orientation").value(), page.orientation) << page.sheet;
        EXPECT_STREQ(ws.child("pageSetup").attribute("paperSize").value(), page.paper) << page.sheet;
        EXPECT_FALSE(ws.child("pageSetup").attribute("draft")) << page.sheet;
        EXPECT_EQ(std::string(ws.child("printOptions").attribute("gridLines").value()) == "1", page.gridlines)
            << page.sheet;
        EXPECT_EQ(bool(file.font(file.cellStyle(page.sheet, "A1")).child("b")), page.bold) << page.sheet;
    }

    // 超速报告 and 开关机记录.
    EXPECT_EQ(file.cellValue(2, "D2"), "012.500");
    EXPECT_EQ(file.cellValue(2, "F2"), "4.50");
    EXPECT_EQ(file.numberFormat(file.cellStyle(2, "C2")), "hh:mm:ss");
    for (const auto &[c, w] : {std::pair{1, 10.0}, {2, 5.0}, {3, 16.0}, {4, 10.0}, {5, 15.0}, {6, 16.0}})
        EXPECT_NEAR(file.columnWidth(2, c), storedWidth(w), 1e-9) << c;
    EXPECT_EQ(file.cellValue(3, "F2"), "增加");
    EXPECT_EQ(file.cellValue(3, "D2"), "12.345");
    EXPECT_EQ(file.numberFormat(file.cellStyle(3, "D2")), "000.000");
    for (const auto &[c, w] : {std::pair{1, 10.0}, {2, 12.0}, {3, 12.0}, {4, 15.0}, {5, 15.0}})
        EXPECT_NEAR(file.columnWidth(3, c), storedWidth(w), 1e-9) << c;

    // 流水记录: texts, its widths and the mileage format of column 4.
    EXPECT_EQ(file.cellValue(4, "A1"), "开机记录");
    EXPECT_EQ(file.cellValue(4, "C1"), "8:0:0 AM");
    EXPECT_EQ(file.cellValue(4, "D2"), "0.25");
    EXPECT_EQ(file.numberFormat(file.cellStyle(4, "D2")), "000.000");
    EXPECT_EQ(file.numberFormat(file.cellStyle(4, "D1")), "000.000公里");
    for (const auto &[c, w] : {std::pair{2, 18.0}, {3, 16.0}, {4, 12.0}})
        EXPECT_NEAR(file.columnWidth(4, c), storedWidth(w), 1e-9) << c;
    EXPECT_FALSE(file.hasCell(5, "A1"));
}

TEST(ManagementExport, ARefusedFileWritesNothing)
{
    TestFiles::TestDir dir;
    const QString mg = dir.write("MG0001.DAT", OneDay + "x");
    EXPECT_THROW(ManagementExport(mg, {}), ManagementFileError);
    EXPECT_EQ(entries(dir), QStringList{"MG0001.DAT"});
}

TEST(ManagementExport, AFailedWorkbookLeavesNoneButKeepsTheDump)
{
    const QByteArray damaged = OneDay + MgRecordBuilder(4).at({14, 8, 13, 9, 5, 0}).byte(11, 128).bytes();
    struct Case {
        const char *what;
        QByteArray bytes;
        QString out;  // under the test folder; empty: beside the file
    };
    const Case cases[] = {
        {"a damaged speed limit", damaged, {}},
        {"a folder that does not exist", OneDay, "missing/report.xls"},
        {"the management file itself", OneDay, "MG0001.DAT"},
    };
    for (const Case &c : cases) {
        TestFiles::TestDir dir;
        const QString mg = dir.write("MG0001.DAT", c.bytes);
        const QByteArray older = "an older workbook";
        dir.write("MG0001.xls", older);
        const QString out = c.out.isEmpty() ? QString() : dir.path(c.out);
        EXPECT_THROW(ManagementExport(mg, {}, {}, out), ManagementWorkbookError) << c.what;
        EXPECT_EQ(entries(dir), (QStringList{"MG0001.DAT", "MG0001.txt", "MG0001.xls"})) << c.what;
        EXPECT_EQ(TestFiles::readBytes(dir.path("MG0001.txt")), ManagementDumpText(ParseManagementRecords(c.bytes)))
            << c.what;
        EXPECT_EQ(TestFiles::readBytes(dir.path("MG0001.xls")), older) << c.what;
        EXPECT_EQ(TestFiles::readBytes(mg), c.bytes) << c.what;
    }
}

TEST(ManagementSynth, SameOptionsSameBytesAndEveryKindOfRecord)
{
    const QByteArray bytes = synthesizeManagementFile({4, 9});
    EXPECT_EQ(bytes, synthesizeManagementFile({4, 9}));
    EXPECT_NE(bytes, synthesizeManagementFile({4, 10}));
    ASSERT_EQ(bytes.size() % 16, 0);
    const auto records = ParseManagementRecords(bytes);
    std::set<int> kinds;
    bool pastMidnight = false;
    std::optional<ManagementDate> openedOn;
    for (const ManagementRecord &r : records) {
        kinds.insert(r.kindCode());
        if (r.kind() == ManagementRecordKind::PowerOn)
            openedOn = r.date();
        if (r.kind() == ManagementRecordKind::PowerOff && openedOn) {
            pastMidnight = pastMidnight || !(r.date() == *openedOn);
            openedOn.reset();
        }
    }
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(pastMidnight);

    Workbook book;
    FillManagementReport(book, records, {});
    EXPECT_GT(book.sheet(SummarySheetName).lastRow(), 4);
    EXPECT_GT(book.sheet(OverspeedSheetName).lastRow(), 1);
}

TEST(ManagementExport, ShownFirmwareVersionIsThatOfTheRecordOpenAtTheView)
{
    EXPECT_EQ(ShownFirmwareVersion(RecordingSlot{}), 0);
    for (const int firmware : {650, 720}) {
        StreamSynthOptions options;
        options.length = 20;
        options.firmwareVersion = firmware;
        EXPECT_EQ(ShownFirmwareVersion(DecodeStreamBytes(synthesizeStream(options), "QC0001.D01")), firmware);
    }
}

} // namespace

#include "office/OfficeError.h"
#include "office/Workbook.h"

#include "ResourceLimit.h"
#include "XlsxReadBack.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

QStringList entriesOf(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(Workbook, AddsSheetsInFrontOfTheActiveOneAndFindsThemByName)
{
    Workbook book;
    ASSERT_EQ(book.sheetCount(), 1);
    EXPECT_EQ(book.sheet(1).name(), "Sheet1");

    Worksheet &second = book.addSheet();
    EXPECT_EQ(second.name(), "Sheet2");
    EXPECT_EQ(&book.activeSheet(), &second);
    second.setName("超速统计");

    book.sheet("Sheet1").activate();
    Worksheet &third = book.addSheet();
    // Order is now: 超速统计, Sheet3, Sheet1.
    EXPECT_EQ(book.sheet(1).name(), "超速统计");
    EXPECT_EQ(&book.sheet(2), &third);
    EXPECT_EQ(book.sheet(3).name(), "Sheet1");
    EXPECT_EQ(&book.sheet("超速统计"), &second);
    EXPECT_THROW(book.sheet("missing"), OfficeError);
    EXPECT_THROW(book.sheet(4), OfficeError);
    EXPECT_THROW(third.setName("Sheet1"), OfficeError);
    EXPECT_THROW(third.setName("a/b"), OfficeError);
    EXPECT_THROW(third.setName(QString(32, 'x')), OfficeError);
}

TEST(Workbook, CellsReadBackWhatWasWritten)
{
    Workbook book;
    Worksheet &sheet = book.sheet(1);
    sheet.setCell(1, 1, QStringLiteral("里程"));
    sheet.setCell(2, 3, 45.5);
    sheet.setColumnNumberFormat(3, "0.00");
    sheet.setCellNumberFormat(2, 4, "@");

    EXPECT_EQ(sheet.cell(1, 1).toString(), "里程");
    EXPECT_EQ(sheet.cell(2, 3).toDouble(), 45.5);
    EXPECT_FALSE(sheet.cell(5, 5).isValid());
    EXPECT_EQ(sheet.cellNumberFormat(9, 3), "0.00");
    EXPECT_EQ(sheet.cellNumberFormat(2, 4), "@");

    const std::pair<int, int> outside[] = {{0, 1}, {1, 0}, {1048577, 1}, {1, 16385}};
    for (const auto &[row, column] : outside) {
        EXPECT_THROW(sheet.setCell(row, column, 1.0), OfficeError) << row << "," << column;
        EXPECT_THROW(sheet.cell(row, column), OfficeError) << row << "," << column;
    }
    EXPECT_THROW(sheet.setColumnWidth(0, 10), OfficeError);
}

TEST(Workbook, SavedAtOnceAndFilledAfterwardsWritesEverythingUnderTheExactName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.xls");
    {
        Workbook book;
        book.saveAs(path);
        EXPECT_TRUE(entriesOf(dir.path()).isEmpty()) << "nothing is written before the caller is done";

        Worksheet &data = book.sheet(1);
        data.setName("数据");
        data.setFont("宋体", 10);
        data.setFirstRowBold(true);
        data.setCell(1, 1, QStringLiteral("公里"));
        data.setCell(1, 2, QStringLiteral("速度"));
        data.setCell(2, 1, 123.0);
        data.setCell(2, 2, 45.5);
        data.setCellNumberFormat(2, 2, "0.0");
        data.setColumnWidth(1, 20);
        data.setColumnNumberFormat(1, "0");
        PageSetup &page = data.pageSetup();
        page.header = "&C超速统计";
        page.footer = "&R第 &P 页，共 &N 页";
        page.printGridlines = true;
        page.orientation = PageSetup::Landscape;
        page.draft = true;
        page.paperSize = PageSetup::PaperA4;

        Worksheet &summary = book.addSheet();
        summary.setName("汇总");
        summary.setCell(3, 2, QStringLiteral("合计"));
        summary.setAllColumns(15, true);
        book.close();
    }
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"x.xls"});

    XlsxFile file(path);
    ASSERT_TRUE(file.isZip());
    const auto workbook = file.xml("xl/workbook.xml");
    const auto sheets = workbook.select_nodes("/workbook/sheets/sheet");
    ASSERT_EQ(sheets.size(), 2u);
    // The added sheet went in front of the active one.
    EXPECT_STREQ(sheets[0].node().attribute("name").value(), "汇总");
    EXPECT_STREQ(sheets[1].node().attribute("name").value(), "数据");

    EXPECT_EQ(file.cellValue(2, "A1"), "公里");
    EXPECT_EQ(file.cellValue(2, "B1"), "速度");
    EXPECT_EQ(file.cellValue(2, "A2"), "123");
    EXPECT_EQ(file.cellValue(2, "B2"), "45.5");
    EXPECT_EQ(file.cellValue(1, "B3"), "合计");

    const auto header = file.cellStyle(2, "A1");
    EXPECT_TRUE(file.font(header).child("b"));
    EXPECT_STREQ(file.font(header).child("name").attribute("val").value(), "宋体");
    EXPECT_STREQ(file.font(header).child("sz").attribute("val").value(), "10");
    const auto speed = file.cellStyle(2, "B2");
    EXPECT_FALSE(file.font(speed).child("b"));
    EXPECT_EQ(file.numberFormat(speed), "0.0");
    EXPECT_EQ(file.numberFormat(file.cellStyle(2, "A2")), "0") << "the column's format reaches its cells";

    const auto data = file.sheetXml(2);
    const auto column = data.select_node("/worksheet/cols/col[@min='1']").node();
    EXPECT_STREQ(column.attribute("max").value(), "1");
    EXPECT_NEAR(column.attribute("width").as_double(), 20, 1);
    const auto setup = data.child("worksheet").child("pageSetup");
    EXPECT_STREQ(setup.attribute("paperSize").value(), "9");
    EXPECT_STREQ(setup.attribute("orientation").value(), "landscape");
    EXPECT_STREQ(setup.attribute("draft").value(), "1");
    EXPECT_STREQ(data.child("worksheet").child("printOptions").attribute("gridLines").value(), "1");
    const auto headerFooter = data.child("worksheet").child("headerFooter");
    EXPECT_STREQ(headerFooter.child("oddHeader").text().get(), "&C超速统计");
    EXPECT_STREQ(headerFooter.child("oddFooter").text().get(), "&R第 &P 页，共 &N 页");

    const auto summary = file.sheetXml(1);
    const auto allColumns = summary.select_node("/worksheet/cols/col").node();
    EXPECT_STREQ(allColumns.attribute("min").value(), "1");
    EXPECT_STREQ(allColumns.attribute("max").value(), "16384");
    EXPECT_NEAR(allColumns.attribute("width").as_double(), 15, 1);
    EXPECT_STREQ(file.cellStyle(1, "B3").child("alignment").attribute("horizontal").value(), "left");
    EXPECT_FALSE(summary.child("worksheet").child("pageSetup").attribute("draft"));
}

TEST(Workbook, DestructorWritesASavedWorkbookAndReplacesAnOlderFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.xls");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("not a workbook");
    }
    {
        Workbook book;
        book.saveAs(path);
        book.sheet(1).setCell(4, 1, QStringLiteral("最后一行"));
    }
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"report.xls"});
    XlsxFile file(path);
    ASSERT_TRUE(file.isZip());
    EXPECT_EQ(file.cellValue(1, "A4"), "最后一行");
}

TEST(Workbook, UnwritableNamesFailAtTheEarlySaveAndLeaveNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const QString names[] = {dir.filePath("missing/x.xls"), dir.filePath("folder"), QString()};
    for (const QString &name : names) {
        Workbook book;
        book.sheet(1).setCell(1, 1, 1.0);
        EXPECT_THROW(book.saveAs(name), OfficeError) << name.toStdString();
        book.close();
    }
    EXPECT_EQ(entriesOf(dir.path()), QStringList{});
    EXPECT_EQ(QDir(dir.filePath("folder")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

TEST(Workbook, InvalidPageSetupFailsAtCloseWithoutTouchingTheTarget)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.xls");
    Workbook book;
    book.saveAs(path);
    book.sheet(1).pageSetup().orientation = 3;
    EXPECT_THROW(book.close(), OfficeError);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{});
}

// A disk that fills while the workbook is written: the error names the file, and
// the workbook it was to replace stays as it was.
TEST(Workbook, FullDiskLeavesTheOlderFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.xls");
    {
        QFile older(path);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("the older workbook");
    }
    Workbook book;
    for (int row = 1; row <= 2000; ++row)
        book.sheet(1).setCell(row, 1, QStringLiteral("第 %1 行的内容").arg(row));
    book.saveAs(path);
    try {
        const TestFiles::ResourceLimit disk(RLIMIT_FSIZE, 2000);
        ASSERT_TRUE(disk.set());
        book.close();
        ADD_FAILURE() << "saved past the size limit";
    } catch (const OfficeError &error) {
        EXPECT_TRUE(error.text().contains(path)) << error.what();
    }
    QFile older(path);
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), QByteArray("the older workbook"));
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("x.xls")});
}

// The "报告" export: table 1 of the template filled from the sub-file shown, the
// picture stored in cell (6, 1), and the document saved even when filling fails.

#include "TestStdFixtures.h"

#include "office/Document.h"
#include "office/OfficeError.h"
#include "recording/StdText.h"
#include "windows/WordReport.h"

#include <QDate>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <utility>

namespace {

constexpr int PaneWidth = 300;
constexpr int PaneHeight = 120;

SubFileImage reportSubFile(const QString &line, int railType, int maker, float firstGain)
{
    SubFileImage sub = StdTest::minimalSubFile();
    sub.para.m_StartPointKm = 12;
    sub.para.m_StartPointM = 345;
    sub.para.m_LineType = 1;
    sub.para.m_LeftRightLine = 1;
    sub.para.m_RailType = int8_t(railType);
    sub.para.m_Factory = int8_t(maker);
    sub.para.m_Date = 20261210;
    sub.para.m_Time = 83005;
    sub.para.m_Area = 7;
    setStdText(sub.para.m_LineNameChar, 10, line);
    setStdText(sub.para.m_OperatorName, 10, QStringLiteral("张三"));
    setStdText(sub.para.m_CompanyChar, 10, QStringLiteral("长沙工务段"));
    for (auto row = 0u; row < std::size(sub.para.m_Gain); ++row) {
        for (int ch = 0; ch < 9; ++ch) {
            sub.para.m_Gain[row][ch] = float(40 + ch);
            sub.para.m_DeltaGain[row][ch] = float(ch % 3);
        }
        sub.para.m_Gain[row][0] = firstGain;
        sub.para.m_Gain[row][2] = 5.3f;
    }
    for (int r = 0; r < 20; ++r)
        sub.addRow({});
    return sub;
}

// Two sub-files; the second is shown, so every value must come from it.
std::unique_ptr<mystdfile> shownSecondSubFile(const StdTest::StdFileDir &dir, int railType, int maker)
{
    const StdFileImage image{{reportSubFile(QStringLiteral("沪昆线"), 0, 0, 60.0f),
                              reportSubFile(QStringLiteral("京广线"), railType, maker, 45.5f)},
                             std::nullopt};
    auto file = StdTest::loadStd(dir.write(QStringLiteral("report.std"), image));
    file->SwitchFile(1);
    return file;
}

// The slot's frame: row 0 drawn last, with a speed record of 1234 seen.
StdFrame shownFrame()
{
    StdFrame frame;
    frame.CurPlayPos = 0;
    frame.ScanSpeed = 1234;
    return frame;
}

// The shipped template: a title and, in table 1, a label before every cell the
// export fills, the fillable cells empty, and the picture row one cell wide.
TEST(WordReport, TemplateHasEmptyLabelledCellsForEveryReportValue)
{
    const Document report = Document::fromTemplate(QStringLiteral(REPORT_TEMPLATE));
    EXPECT_EQ(report.paragraphText(1), QStringLiteral("探伤报告"));
    EXPECT_EQ(report.cellText(1, 1), QStringLiteral("线名"));
    const std::pair<int, int> filled[] = {{1, 2}, {1, 4}, {1, 6}, {2, 2}, {2, 6}, {3, 4},
                                          {3, 6}, {4, 2}, {7, 2}, {8, 4}};
    for (const auto &[row, column] : filled) {
        SCOPED_TRACE(testing::Message() << row << "," << column);
        EXPECT_EQ(report.cellText(row, column), QString());
        EXPECT_FALSE(report.cellText(row, column - 1).isEmpty());
    }
    EXPECT_EQ(report.cellText(5, 1), QString());
    EXPECT_EQ(report.cellText(6, 1), QString());
    EXPECT_THROW(report.cellText(9, 1), OfficeError);
    EXPECT_THROW(report.cellText(1, 7), OfficeError);
    EXPECT_THROW(report.cellText(4, 3), OfficeError);
    EXPECT_THROW(report.cellText(6, 2), OfficeError);
}

TEST(WordReport, FillsTableOneFromTheSubFileShownAndStoresThePicture)
{
    StdTest::StdFileDir dir;
    auto file = shownSecondSubFile(dir, 1, 2);
    const QString out = dir.path(QStringLiteral("报告.doc"));

    EXPECT_EQ(exportReport(*file, shownFrame(), PaneWidth, PaneHeight, QStringLiteral(REPORT_TEMPLATE), out), QString());

    const Document report = Document::fromTemplate(out);
    EXPECT_EQ(report.cellText(1, 2), QStringLiteral("京广线"));
    EXPECT_EQ(report.cellText(1, 4), QStringLiteral("下行"));
    EXPECT_EQ(report.cellText(1, 6), QStringLiteral("右股"));
    EXPECT_EQ(report.cellText(3, 6), QStringLiteral("张三"));
    EXPECT_EQ(report.cellText(2, 2), QStringLiteral("P50"));
    EXPECT_EQ(report.cellText(3, 4), QStringLiteral("2026-12-10 08:30:05"));
    EXPECT_EQ(report.cellText(2, 6), QStringLiteral("武钢"));
    EXPECT_EQ(report.cellText(4, 2), QStringLiteral("1:45.5dB+0dB  2:41dB+1dB  3:5.3dB+2dB\n"
                                                    "4:43dB+0dB  5:44dB+1dB  6:45dB+2dB\n"
                                                    "1A:46dB+0dB  2A:47dB+1dB  3A:48dB+2dB"));
    EXPECT_EQ(report.cellText(5, 1), QStringLiteral("地段：7\n当前里程：") + file->GetMileage(0)
                                         + QStringLiteral("\n速度：9.255km/h"));
    EXPECT_EQ(report.cellText(7, 2), QStringLiteral("长沙工务段"));
    EXPECT_EQ(report.cellText(8, 4), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    EXPECT_TRUE(StdTest::readBytes(out).contains("word/media/"));
}

TEST(WordReport, ValuesOutsideTheirTablesKeepTheTemplateText)
{
    StdTest::StdFileDir dir;
    auto file = shownSecondSubFile(dir, 4, 7);
    const QString out = dir.path(QStringLiteral("报告.doc"));
    const QString templateMaker = Document::fromTemplate(QStringLiteral(REPORT_TEMPLATE)).cellText(2, 6);

    EXPECT_EQ(exportReport(*file, shownFrame(), PaneWidth, PaneHeight, QStringLiteral(REPORT_TEMPLATE), out), QString());

    const Document report = Document::fromTemplate(out);
    EXPECT_EQ(report.cellText(2, 2), QStringLiteral("Auto"));
    EXPECT_EQ(report.cellText(2, 6), templateMaker);
}

TEST(WordReport, MissingTemplateIsReportedAndTheDocumentStillSaved)
{
    StdTest::StdFileDir dir;
    auto file = shownSecondSubFile(dir, 1, 0);
    const QString out = dir.path(QStringLiteral("报告.doc"));

    const QString error = exportReport(*file, shownFrame(), PaneWidth, PaneHeight, dir.path(QStringLiteral("none.dom")), out);

    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFile::exists(out));
    EXPECT_EQ(reportCaption(out), QStringLiteral("探伤报告保存于") + out);
}

} // namespace

#include "windows/WorkTable.h"

#include "TestStdFixtures.h"
#include "recording/StdText.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using StdTest::StdFileDir;

// A recording whose sub-files carry the given parameter changes.
std::unique_ptr<mystdfile> recording(const StdFileDir &dir, const std::vector<std::function<void(TSYSTEMPARA &)>> &edits)
{
    StdFileImage image;
    for (const auto &edit : edits) {
        SubFileImage sub = StdTest::minimalSubFile();
        sub.addRow({makePacket(u'1', 10, 20)});
        sub.addRow({});
        edit(sub.para);
        image.subFiles.push_back(sub);
    }
    return StdTest::loadStd(dir.write(QStringLiteral("work.std"), image));
}

std::function<void(TSYSTEMPARA &)> minutes(int start, int length)
{
    return [=](TSYSTEMPARA &p) {
        p.m_Time = start;
        p.m_EndTime = start + length * 100;
    };
}

WorkTableShown without(std::initializer_list<int> hidden)
{
    WorkTableShown shown = allWorkTableColumns();
    for (const int column : hidden)
        shown[size_t(column)] = false;
    return shown;
}

TEST(WorkTable, ColumnsHaveTheirCaptionsAndWidths)
{
    const auto &columns = workTableColumns();
    EXPECT_EQ(columns[0].caption, QStringLiteral("序号"));
    EXPECT_EQ(columns[0].width, 40);
    EXPECT_EQ(columns[8].caption, QStringLiteral("探伤里程"));
    EXPECT_EQ(columns[9].width, 120);
    EXPECT_EQ(columns[16].caption, QStringLiteral("工作单位"));
    EXPECT_EQ(columns[16].width, 140);
}

TEST(WorkTable, RowOfOneSubFileInEveryColumn)
{
    const StdFileDir dir;
    const auto file = recording(dir, {[](TSYSTEMPARA &) {}, [](TSYSTEMPARA &p) {
                                          setStdText(p.m_LineNameChar, 10, QStringLiteral("京广线"));
                                          setStdText(p.m_StationNameChar, 10, QStringLiteral("北京南站"));
                                          p.m_LineType = 1;
                                          p.m_Area = 12;
                                          p.m_LeftRightLine = 1;
                                          p.m_StartPointKm = 123;
                                          p.m_StartPointM = 45;
                                          p.m_MileageKm = 124;
                                          p.m_MileageM = 5;
                                          p.m_ImgRowIdx = 1234567;
                                          p.m_Date = 20170524;
                                          p.m_Time = 93012;
                                          p.m_EndDate = 20170524;
                                          p.m_EndTime = 103512;
                                          p.m_EvgVelocity = 900;
                                          p.m_SpeedLimitValue = 40;
                                          p.m_Operator = 7;
                                          p.m_Company = 3;
                                          setStdText(p.m_OperatorName, 10, QStringLiteral("张三"));
                                          setStdText(p.m_CompanyChar, 10, QStringLiteral("北京工务段"));
                                      }});

    EXPECT_EQ(workTableRow(*file, 0, 1, allWorkTableColumns()),
              (QStringList{"2", "京广线", "北京南站", "下行", "12", "右股", "123km+45m", "124km+5m", "2469m",
                           "2017-05-24 09:30:12", "2017-05-24 10:35:12", "01:05:00", "4.5km/h", "4km/h", "是", "7",
                           "3"}));
    EXPECT_EQ(GetWorkTableString(*file, 1, 1, 15), QStringLiteral("张三"));
    EXPECT_EQ(GetWorkTableString(*file, 1, 1, 16), QStringLiteral("北京工务段"));
}

TEST(WorkTable, EnumeratedFieldsOutsideTheirNamesStayEmpty)
{
    const StdFileDir dir;
    const auto file = recording(dir, {[](TSYSTEMPARA &p) {
        p.m_LineType = 2;
        p.m_LeftRightLine = 0;
    }, [](TSYSTEMPARA &p) {
        p.m_LineType = 3;
        p.m_LeftRightLine = 2;
    }});
    EXPECT_EQ(GetWorkTableString(*file, 0, 0, 3), QStringLiteral("单线"));
    EXPECT_EQ(GetWorkTableString(*file, 0, 0, 5), QStringLiteral("左股"));
    EXPECT_EQ(GetWorkTableString(*file, 0, 1, 3), QString());
    EXPECT_EQ(GetWorkTableString(*file, 0, 1, 5), QString());
}

struct SpeedCase {
    int32_t velocity;
    int8_t limit;
    const char *speed;
    const char *limitText;
    const char *verdict;
};

TEST(WorkTable, SpeedLimitAndVerdict)
{
    const SpeedCase cases[] = {
        {900, 40, "4.5km/h", "4km/h", "是"},
        {-900, 45, "4.5km/h", "4.5km/h", "否"},  // the average may be stored negative; equal is not over
        {901, 0, "4.505km/h", "不限速", "\\"},
        {0, 5, "0km/h", "0.5km/h", "否"},
        {1720, 86, "8.6km/h", "8.6km/h", "否"},
    };
    for (const SpeedCase &c : cases) {
        SCOPED_TRACE(c.velocity);
        const StdFileDir dir;
        const auto file = recording(dir, {[&](TSYSTEMPARA &p) {
            p.m_EvgVelocity = c.velocity;
            p.m_SpeedLimitValue = c.limit;
        }});
        EXPECT_EQ(GetWorkTableString(*file, 0, 0, 12), QString::fromUtf8(c.speed));
        EXPECT_EQ(GetWorkTableString(*file, 0, 0, 13), QString::fromUtf8(c.limitText));
        EXPECT_EQ(GetWorkTableString(*file, 0, 0, 14), QString::fromUtf8(c.verdict));
    }
}

struct TimeCase {
    int32_t date, time, endDate, endTime;
    const char *start;
    const char *end;
    const char *duration;
};

TEST(WorkTable, DatesTimesAndDuration)
{
    const TimeCase cases[] = {
        {20170524, 93012, 20170524, 103512, "2017-05-24 09:30:12", "2017-05-24 10:35:12", "01:05:00"},
        {20170524, 95959, 20170524, 100001, "2017-05-24 09:59:59", "2017-05-24 10:00:01", "00:00:02"},
        {0, 0, 2170101, 5, "0000-00-00 00:00:00", "0217-01-01 00:00:05", "00:00:05"},
        // past midnight the run ends on the next day
        {20170524, 235000, 20170525, 1000, "2017-05-24 23:50:00", "2017-05-25 00:10:00", "00:20:00"},
        {20170524, 235959, 20170525, 0, "2017-05-24 23:59:59", "2017-05-25 00:00:00", "00:00:01"},
    };
    for (const TimeCase &c : cases) {
        SCOPED_TRACE(c.start);
        const StdFileDir dir;
        const auto file = recording(dir, {[&](TSYSTEMPARA &p) {
            p.m_Date = c.date;
            p.m_Time = c.time;
            p.m_EndDate = c.endDate;
            p.m_EndTime = c.endTime;
        }});
        EXPECT_EQ(GetWorkTableString(*file, 0, 0, 9), QString::fromUtf8(c.start));
        EXPECT_EQ(GetWorkTableString(*file, 0, 0, 10), QString::fromUtf8(c.end));
        EXPECT_EQ(GetWorkTableString(*file, 0, 0, 11), QString::fromUtf8(c.duration));
    }
}

TEST(WorkTable, TotalsRowAddsDistancesAndDurations)
{
    const StdFileDir dir;
    const auto file = recording(dir, {[](TSYSTEMPARA &p) {
        p.m_ImgRowIdx = 1234567;
        minutes(90000, 10)(p);
    }, [](TSYSTEMPARA &p) {
        p.m_ImgRowIdx = 999;  // 1.998 m counts as 1 m
        minutes(100000, 20)(p);
    }, [](TSYSTEMPARA &p) {
        p.m_ImgRowIdx = 999;
        minutes(110000, 30)(p);
    }});

    EXPECT_EQ(workTableTotalsRow(*file, allWorkTableColumns()),
              (QStringList{"统计", " ", " ", " ", " ", " ", " ", " ", "2km+471m", " ", " ", "01:00:00", "", "", "",
                           "", ""}));
}

TEST(WorkTable, SingleSubFileTotalsInKilometres)
{
    const StdFileDir dir;
    const auto file = recording(dir, {[](TSYSTEMPARA &p) {
        p.m_ImgRowIdx = 1234567;
        p.m_EndTime = p.m_Time;
    }});
    EXPECT_EQ(GetWorkTableString(*file, 0, 0, 8), QStringLiteral("2469m"));
    EXPECT_EQ(workTableTotalsRow(*file, allWorkTableColumns())[8], QStringLiteral("2km+469m"));
}

TEST(WorkTable, HiddenColumnsLeaveRowsAndTotalsAligned)
{
    const StdFileDir dir;
    const auto file = recording(dir, {[](TSYSTEMPARA &p) {
        p.m_ImgRowIdx = 5000;
        p.m_EvgVelocity = 900;
        p.m_EndDate = 20170524;
        minutes(90000, 10)(p);
    }});
    const WorkTableShown shown = without({1, 2, 12});

    EXPECT_EQ(workTableRow(*file, 0, 0, shown),
              (QStringList{"1", "上行", "0", "左股", "0km+0m", "0km+0m", "10m", "2017-05-24 09:00:00",
                           "2017-05-24 09:10:00", "00:10:00", "不限速", "\\", "0", "0"}));
    EXPECT_EQ(workTableTotalsRow(*file, shown),
              (QStringList{"统计", " ", " ", " ", " ", " ", "0km+10m", " ", " ", "00:10:00", "", "", "", ""}));
}

TEST(WorkTable, PastMidnightRunCountsInTheTotals)
{
    const StdFileDir dir;
    const auto file = recording(dir, {minutes(90000, 10), [](TSYSTEMPARA &p) {
        p.m_Time = 235000;
        p.m_EndTime = 1000;
    }});
    const QStringList totals = workTableTotalsRow(*file, allWorkTableColumns());
    EXPECT_EQ(totals.at(WorkTableDurationColumn), QStringLiteral("00:30:00"));
}

TEST(WorkTable, SelectedDistanceSkipsTheTotalsLine)
{
    const StdFileDir dir;
    const auto file = recording(dir, {[](TSYSTEMPARA &p) { p.m_ImgRowIdx = 600000; },
                                      [](TSYSTEMPARA &p) { p.m_ImgRowIdx = 50000; },
                                      [](TSYSTEMPARA &p) { p.m_ImgRowIdx = 234999; }});
    const std::vector<int> firstAndThird{0, 2};
    const std::vector<int> totalsOnly{3};
    const std::vector<int> all{0, 1, 2, 3};
    EXPECT_EQ(selectedDistanceText(*file, firstAndThird), QStringLiteral("选中总里程: 1km+669m"));
    EXPECT_EQ(selectedDistanceText(*file, totalsOnly), QStringLiteral("选中总里程: 0km+0m"));
    EXPECT_EQ(selectedDistanceText(*file, all), QStringLiteral("选中总里程: 1km+769m"));
}

TEST(WorkTable, MissingSubFileIsRefused)
{
    const StdFileDir dir;
    const auto file = recording(dir, {[](TSYSTEMPARA &) {}});
    EXPECT_THROW(GetWorkTableString(*file, 0, 1, 1), StdDataError);
    EXPECT_THROW(GetWorkTableString(*file, 0, -1, 1), StdDataError);
}

} // namespace

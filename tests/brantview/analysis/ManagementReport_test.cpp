// The management report filled in memory: day groups, power-on periods, the summary,
// overspeed and power sheets and the running log, from records built in code.

#include "analysis/ManagementReport.h"
#include "synth/ManagementRecordBuilder.h"

#include <gtest/gtest.h>

#include <memory>

using namespace brantview;

namespace {

constexpr double Aug13 = 41864;  // 2014-08-13 as a spreadsheet serial

MgStamp on(int day, int hour, int minute, int second = 0)
{
    return {14, 8, day, hour, minute, second};
}

double hms(int hour, int minute, int second = 0)
{
    return (hour * 3600 + minute * 60 + second) / 86400.0;
}

QByteArray records(std::initializer_list<QByteArray> list)
{
    QByteArray bytes;
    for (const QByteArray &r : list)
        bytes += r;
    return bytes;
}

std::unique_ptr<Workbook> report(const QByteArray &bytes, ManagementReportOptions options = {})
{
    auto book = std::make_unique<Workbook>();
    FillManagementReport(*book, ParseManagementRecords(bytes), options);
    return book;
}

// Three days with moving and standing periods, a second power-on, a period past
// midnight, a clock change that keeps the date and an empty record at the end.
const QByteArray ThreeDays = records({
    // 13th: standing, moving 2 km up, standing, moving 1 km down, standing.
    mgPowerOn(on(13, 8, 0), 100, 0, 3000, 12, 0, 1, 1),          // 0
    mgPowerOff(on(13, 8, 10), 100, 0, 3000, 125),                 // 1
    mgPowerOn(on(13, 8, 20), 100, 0, 3000, 12, 0, 1, 1),          // 2
    mgOverspeedSummary(on(13, 8, 30), 77, 100, 500, 250, 4.5),    // 3
    mgPowerOff(on(13, 9, 20), 102, 0, 3000, 124),                 // 4
    mgPowerOn(on(13, 9, 30), 102, 0, 3000, 12, 0, 0, 1),          // 5
    mgPowerOff(on(13, 9, 35), 102, 0, 3000, 124),                 // 6
    mgPowerOn(on(13, 10, 0), 102, 0, 3000, 12, 0, 0, 1),          // 7
    mgPowerOff(on(13, 11, 0), 101, 0, 3000, 123),                 // 8
    mgPowerOn(on(13, 12, 0), 101, 0, 3000, 12, 0, 1, 1),          // 9
    mgPowerOff(on(13, 12, 5), 101, 0, 3000, 123),                 // 10
    // 14th: nothing moves more than 1 m; a second power-on; a power-off alone; a
    // period that ends after midnight.
    mgPowerOn(on(14, 7, 0), 5, 0, 4000, 3, 1, 1, 0),              // 11
    mgPowerOff(on(14, 7, 30), 5, 0, 4000, 120),                   // 12
    mgPowerOn(on(14, 8, 0), 5, 0, 4000, 3, 1, 1, 0),              // 13
    mgPowerOn(on(14, 8, 10), 5, 0, 4000, 3, 1, 1, 0),             // 14
    mgPowerOff(on(14, 8, 40), 5, 1, 4000, 120),                   // 15
    mgPowerOff(on(14, 9, 0), 5, 1, 4000, 120),                    // 16
    mgPowerOn(on(14, 23, 50), 5, 1, 4000, 3, 1, 1, 0),            // 17
    // 15th: the lone power-off of that period, then the clock put back an hour.
    mgPowerOff(on(15, 0, 20), 6, 1, 4000, 119),                   // 18
    mgClockChange(on(15, 10, 0), on(15, 9, 0)),                   // 19
    mgPowerOn(on(15, 9, 5), 7, 0, 5500, 4095, 2, 1, 2),           // 20
    mgGainChange(on(15, 9, 6), 7, 0, {40, 41, 42, 43, 9}),        // 21
    mgSpeedLimitChange(on(15, 9, 7), 7, 10, 4500),                // 22
    mgOverspeedEdge(5, on(15, 9, 8), 7, 20, 4.75, 4500),          // 23
    mgOverspeedEdge(6, on(15, 9, 9), 7, 90, 4.6, 4500),           // 24
    mgPowerOff(on(15, 9, 35), 8, 0, 4500, 118),                   // 25
    QByteArray(16, '\0'),                                         // 26
});

TEST(ManagementReport, DayGroupsEndAtDateChangesClockChangesAndTheEnd)
{
    const auto groups = DayGroups(ParseManagementRecords(ThreeDays));
    struct Expected {
        size_t first, end;
        bool clockChange;
    };
    const std::vector<Expected> expected{{0, 11, false}, {11, 18, false}, {18, 19, true}, {20, 26, false}, {26, 27, false}};
    ASSERT_EQ(groups.size(), expected.size());
    for (size_t g = 0; g < groups.size(); ++g) {
        EXPECT_EQ(groups[g].first, expected[g].first) << g;
        EXPECT_EQ(groups[g].end, expected[g].end) << g;
        EXPECT_EQ(groups[g].clockChange.has_value(), expected[g].clockChange) << g;
    }
    // After a clock change the group keeps its old date.
    EXPECT_EQ(groups[3].date, (ManagementDate{14, 8, 15}));
    EXPECT_EQ(groups.back().progress, 80);
    EXPECT_EQ(groups[0].progress, 30 + int(std::nearbyint(50.0 * 11 / 27)));

    // Overspeed summaries carry no date: one standing first stays with the next record.
    const QByteArray summaryFirst =
        records({mgOverspeedSummary(on(1, 8, 0), 1, 1, 1, 1, 1), mgPowerOn(on(13, 8, 0), 1, 0, 3000, 1, 0, 1, 1)});
    const auto two = DayGroups(ParseManagementRecords(summaryFirst));
    ASSERT_EQ(two.size(), 2u) << "record 0's bytes 4-6 are its date";
    EXPECT_EQ(DayGroups(ParseManagementRecords(records({mgPowerOn(on(13, 8, 0), 1, 0, 3000, 1, 0, 1, 1),
                                                        mgOverspeedSummary(on(1, 8, 0), 1, 1, 1, 1, 1)})))
                  .size(),
              1u);
}

TEST(ManagementReport, PowerPeriodsPairEachPowerOnWithTheNextPowerOff)
{
    const auto all = ParseManagementRecords(ThreeDays);
    const auto groups = DayGroups(all);
    const GroupPeriods day14 = PowerPeriods(all, groups[1]);
    ASSERT_EQ(day14.periods.size(), 2u) << "the lone power-off and the open period count for nothing";
    EXPECT_EQ(day14.firstPowerOn, 11u);
    EXPECT_EQ(day14.periods[1].startTime.seconds(), 8 * 3600 + 10 * 60) << "the later power-on wins";
    EXPECT_EQ(day14.periods[1].durationSeconds, 30 * 60);
    EXPECT_EQ(day14.periods[1].distanceMetres, 1);

    const GroupPeriods day13 = PowerPeriods(all, groups[0]);
    ASSERT_EQ(day13.periods.size(), 5u);
    EXPECT_EQ(day13.periods[1].distanceMetres, 2000);
    EXPECT_EQ(day13.periods[3].distanceMetres, 1000) << "direction 0 counts the decrease";

    EXPECT_TRUE(PowerPeriods(all, groups[2]).periods.empty());
    EXPECT_FALSE(PowerPeriods(all, groups[2]).firstPowerOn);
}

TEST(ManagementReport, SummaryRowsFromTheFirstToTheLastMovingPeriod)
{
    const auto book = report(ThreeDays);
    Worksheet &s = book->sheet(SummarySheetName);
    auto number = [&](int row, int column) { return s.cell(row, column).toDouble(); };
    auto text = [&](int row, int column) { return s.cell(row, column).toString(); };

    EXPECT_EQ(text(1, 1), QStringLiteral("探伤日期"));
    EXPECT_EQ(text(1, 11), QStringLiteral("限速(公里/小时)"));

    // The 13th: moving from the period at 8:20 to the one at 10:00.
    EXPECT_EQ(number(2, 1), Aug13);
    EXPECT_EQ(s.cellNumberFormat(2, 1), QStringLiteral("yyyy-mm-dd"));
    EXPECT_DOUBLE_EQ(number(2, 2), hms(8, 20));
    EXPECT_EQ(s.cellNumberFormat(2, 2), QStringLiteral("hh:mm:ss"));
    EXPECT_DOUBLE_EQ(number(2, 3), hms(2, 40));
    EXPECT_DOUBLE_EQ(number(2, 4), hms(2, 5));
    EXPECT_DOUBLE_EQ(number(2, 5), 3.0);
    EXPECT_DOUBLE_EQ(number(2, 6), 0.25);
    EXPECT_DOUBLE_EQ(number(2, 7), 0.25 / 3.0);
    EXPECT_EQ(s.cellNumberFormat(2, 7), QStringLiteral("00.00%"));
    EXPECT_EQ(number(2, 8), 5);
    EXPECT_EQ(text(2, 9), QStringLiteral("右侧钢轨"));
    EXPECT_EQ(text(2, 10), QStringLiteral("站线12号股"));
    EXPECT_EQ(text(2, 11), QStringLiteral("3.00km/h"));

    // The 14th: nothing moved, so period 0 stands for the day.
    EXPECT_EQ(number(3, 1), Aug13 + 1);
    EXPECT_DOUBLE_EQ(number(3, 2), hms(7, 0));
    EXPECT_DOUBLE_EQ(number(3, 3), hms(0, 30));
    EXPECT_DOUBLE_EQ(number(3, 4), hms(0, 30));
    EXPECT_EQ(number(3, 5), 0);
    EXPECT_EQ(text(3, 7), QStringLiteral("NIL"));
    EXPECT_EQ(number(3, 8), 2);
    EXPECT_EQ(text(3, 9), QStringLiteral("左侧钢轨"));
    EXPECT_EQ(text(3, 10), QStringLiteral("上行3号线"));
    EXPECT_EQ(text(3, 11), QStringLiteral("4.00km/h"));

    // The 15th up to the clock change: only the power-off of a period begun the day before.
    for (const int column : {1, 2, 9, 10, 11})
        EXPECT_FALSE(s.cell(4, column).isValid()) << column;
    for (const int column : {3, 4, 5, 6, 8})
        EXPECT_EQ(number(4, column), 0) << column;
    EXPECT_EQ(text(4, 7), QStringLiteral("NIL"));

    EXPECT_EQ(text(5, 1), QStringLiteral("修改时间"));
    EXPECT_EQ(number(5, 2), Aug13 + 2);
    EXPECT_EQ(s.cellNumberFormat(5, 2), QStringLiteral("yyyy-mm-dd"));
    EXPECT_DOUBLE_EQ(number(5, 3), hms(10, 0));
    EXPECT_EQ(number(5, 4), Aug13 + 2);
    EXPECT_EQ(s.cellNumberFormat(5, 4), QStringLiteral("yyyy-mm-dd"));
    EXPECT_DOUBLE_EQ(number(5, 5), hms(9, 0));
    EXPECT_EQ(s.cellNumberFormat(5, 5), QStringLiteral("hh:mm:ss"));

    // After the clock change, same date, a summary row of its own.
    EXPECT_EQ(number(6, 1), Aug13 + 2);
    EXPECT_DOUBLE_EQ(number(6, 5), 1.0);
    EXPECT_EQ(number(6, 7), 0);
    EXPECT_EQ(text(6, 9), QStringLiteral("错误数据"));
    EXPECT_EQ(text(6, 10), QStringLiteral("下行4095号线"));
    EXPECT_EQ(text(6, 11), QStringLiteral("5.50km/h"));

    // The empty record ends that group and forms the last one.
    EXPECT_EQ(number(7, 8), 0);
    EXPECT_EQ(text(7, 7), QStringLiteral("NIL"));
    EXPECT_EQ(s.lastRow(), 7);
}

TEST(ManagementReport, PowerAndOverspeedSheets)
{
    const auto book = report(ThreeDays);
    Worksheet &p = book->sheet(PowerSheetName);
    EXPECT_EQ(p.cell(2, 1).toDouble(), Aug13);
    EXPECT_EQ(p.cellNumberFormat(2, 1), QStringLiteral("yyyy-mm-dd"));
    EXPECT_DOUBLE_EQ(p.cell(3, 2).toDouble(), hms(8, 20));
    EXPECT_DOUBLE_EQ(p.cell(3, 3).toDouble(), hms(1, 0));
    EXPECT_EQ(p.cellNumberFormat(3, 3), QStringLiteral("hh:mm:ss"));
    EXPECT_DOUBLE_EQ(p.cell(3, 4).toDouble(), 100.0);
    EXPECT_EQ(p.cellNumberFormat(3, 4), QStringLiteral("000.000"));
    EXPECT_DOUBLE_EQ(p.cell(3, 5).toDouble(), 2.0);
    EXPECT_EQ(p.cell(3, 6).toString(), QStringLiteral("增加"));
    EXPECT_EQ(p.cell(5, 6).toString(), QStringLiteral("减少"));
    EXPECT_FALSE(p.cell(3, 1).isValid());
    // The 14th starts below the 13th's five periods; the 15th before the clock change has none.
    EXPECT_EQ(p.cell(7, 1).toDouble(), Aug13 + 1);
    EXPECT_DOUBLE_EQ(p.cell(8, 5).toDouble(), 0.001);
    EXPECT_EQ(p.cell(9, 1).toDouble(), Aug13 + 2);
    EXPECT_EQ(p.lastRow(), 9);

    Worksheet &o = book->sheet(OverspeedSheetName);
    EXPECT_EQ(o.cell(2, 1).toDouble(), Aug13);
    EXPECT_EQ(o.cell(2, 2).toDouble(), 77);
    EXPECT_DOUBLE_EQ(o.cell(2, 3).toDouble(), hms(8, 30));
    EXPECT_EQ(o.cell(2, 4), QVariant(QStringLiteral("100.500")));
    EXPECT_EQ(o.cell(2, 5), QVariant(QStringLiteral("000.250")));
    EXPECT_EQ(o.cell(2, 6), QVariant(QStringLiteral("4.50")));
    EXPECT_EQ(o.lastRow(), 2) << "no date without rows under it";
}

TEST(ManagementReport, RunningLogShowsEveryRecordOnTheRowOfItsIndex)
{
    const auto book = report(ThreeDays);
    Worksheet &log = book->sheet(RunningLogSheetName);
    auto row = [&](int r) {
        QStringList cells;
        for (int c = 1; c <= 9; ++c)
            cells << log.cell(r, c).toString();
        return cells.join('|');
    };
    EXPECT_EQ(row(1), QStringLiteral("开机记录|2014年8月13日|8:0:0 AM|100.000公里|012号股/号轨|右侧钢轨|站线|3.00km/h|里程增加"));
    EXPECT_EQ(row(2), QStringLiteral("关机记录|2014年8月13日|8:10:0 AM|100.000公里|12.5V|||3.00km/h|"));
    EXPECT_EQ(row(4), QStringLiteral("超速纪录|2014年8月13日|8:30:0 AM|0.25|4.50km/h||||"));
    EXPECT_EQ(log.cellNumberFormat(4, 4), QStringLiteral("000.000"));
    EXPECT_EQ(row(19), QStringLiteral("关机记录|2014年8月15日|12:20:0 AM|006.001公里|11.9V|||4.00km/h|"));
    EXPECT_EQ(row(20), QStringLiteral("修改时间|2014年8月15日|10:0:0 AM|2014年8月15日|9:0:0 AM||||"));
    EXPECT_EQ(log.cellNumberFormat(20, 4), QStringLiteral("yyyy-mm-dd"));
    EXPECT_EQ(log.cellNumberFormat(20, 5), QStringLiteral("hh:mm:ss"));
    EXPECT_EQ(row(21),
              QStringLiteral("开机记录|2014年8月15日|9:5:0 AM|007.000公里|4095号股/号轨|错误数据|下行|5.50km/h|里程增加"));
    EXPECT_EQ(row(22), QStringLiteral("衰减量|2014年8月15日|9:6:0 AM|007.000公里|40dB|41dB|42dB|43dB|09dB"));
    EXPECT_EQ(row(23), QStringLiteral("限速改变|2014年8月15日|9:7:0 AM|007.010公里||||4.50km/h|"));
    EXPECT_EQ(row(24), QStringLiteral("超速开始|2014年8月15日|9:8:0 AM|007.020公里|||4.75km/h|4.50km/h|"));
    EXPECT_EQ(row(25), QStringLiteral("超速结束|2014年8月15日|9:9:0 AM|007.090公里|||4.60km/h|4.50km/h|"));
    for (int c = 1; c <= 9; ++c)
        EXPECT_FALSE(log.cell(27, c).isValid()) << "the empty record leaves its row empty";
    EXPECT_EQ(log.cellNumberFormat(1, 4), QStringLiteral("000.000公里"));
    EXPECT_EQ(log.lastRow(), 26);

    // An overspeed summary before any power-on has no date; after a clock change it has the new one.
    const auto early = report(records({mgOverspeedSummary(on(13, 13, 5, 9), 1, 12, 345, 1500, 3.2),
                                       mgClockChange(on(13, 14, 0), {15, 1, 2, 14, 0, 0}),
                                       mgOverspeedSummary(on(13, 14, 5), 1, 12, 345, 1500, 3.2)}));
    Worksheet &early_log = early->sheet(RunningLogSheetName);
    EXPECT_FALSE(early_log.cell(1, 2).isValid());
    EXPECT_EQ(early_log.cell(1, 3).toString(), QStringLiteral("1:5:9 PM"));
    EXPECT_EQ(early_log.cell(3, 2).toString(), QStringLiteral("2015年1月2日"));
}

TEST(ManagementReport, LineKindsNameByFirmwareVersion)
{
    struct Case {
        int lineKind;
        int firmware;
        const char16_t *summary;
        const char16_t *log;
    };
    const Case cases[] = {
        {1, 0, u"上行7号线", u"上行"},   {1, 703, u"上行7号线", u"上行"}, {1, 704, u"下行7号线", u"下行"},
        {2, 703, u"下行7号线", u"下行"}, {2, 704, u"上行7号线", u"上行"}, {0, 704, u"站线7号股", u"站线"},
        {3, 0, u"联线7号线", u"联线"},   {4, 0, u"单线7号线", u"单线"},   {5, 0, u"其它7号线", u"其它"},
        {6, 720, u"", u""},              {15, 0, u"", u""},
    };
    for (const Case &c : cases) {
        ManagementReportOptions options;
        options.FirmwareVersion = c.firmware;
        const auto book = report(mgPowerOn(on(13, 8, 0), 1, 0, 3000, 7, c.lineKind, 1, 1), options);
        EXPECT_EQ(book->sheet(SummarySheetName).cell(2, 10).toString(), QString::fromUtf16(c.summary))
            << c.lineKind << " " << c.firmware;
        EXPECT_EQ(book->sheet(RunningLogSheetName).cell(1, 7).toString(), QString::fromUtf16(c.log))
            << c.lineKind << " " << c.firmware;
    }
}

TEST(ManagementReport, OneRecordAndTheOptionalSheets)
{
    // One record: one group, one summary row, one log row.
    const auto single = report(mgGainChange(on(13, 8, 0), 1, 0, {1, 2, 3, 4, 5}));
    EXPECT_EQ(single->sheet(SummarySheetName).lastRow(), 2);
    EXPECT_EQ(single->sheet(SummarySheetName).cell(2, 7).toString(), QStringLiteral("NIL"));
    EXPECT_EQ(single->sheet(RunningLogSheetName).lastRow(), 1);

    struct Case {
        bool detail, time, speed;
        QStringList sheets;
    };
    const Case cases[] = {
        {true, true, true, {"探伤报告", "超速报告", "开关机记录", "流水记录", "Sheet1"}},
        {false, true, false, {"探伤报告", "开关机记录", "Sheet1"}},
        {true, false, true, {"探伤报告", "超速报告", "流水记录", "Sheet1"}},
        {false, false, false, {"探伤报告", "Sheet1"}},
    };
    for (const Case &c : cases) {
        ManagementReportOptions options;
        options.Check_detail = c.detail;
        options.Check_time = c.time;
        options.Check_speed = c.speed;
        const auto book = report(ThreeDays, options);
        QStringList names;
        for (int i = 1; i <= book->sheetCount(); ++i)
            names << book->sheet(i).name();
        EXPECT_EQ(names, c.sheets);
        // Without the overspeed sheet the day's overspeed total is 0.
        Worksheet &s = book->sheet(SummarySheetName);
        EXPECT_DOUBLE_EQ(s.cell(2, 6).toDouble(), c.speed ? 0.25 : 0.0);
        EXPECT_EQ(s.cell(2, 7).toDouble(), c.speed ? 0.25 / 3.0 : 0.0);
        EXPECT_EQ(s.cell(3, 7).toString(), QStringLiteral("NIL"));
    }
}

TEST(ManagementReport, DatesAndTimesThatDoNotExistLeaveTheirCellsEmpty)
{
    const MgStamp bad{14, 13, 5, 8, 0, 0};
    const MgStamp badTime{14, 8, 13, 25, 0, 0};
    const auto book = report(records({mgPowerOn(bad, 1, 0, 3000, 1, 0, 1, 1), mgPowerOff({14, 13, 5, 9, 0, 0}, 2, 0, 3000, 120),
                                      mgPowerOn(badTime, 1, 0, 3000, 1, 0, 1, 1)}));
    Worksheet &s = book->sheet(SummarySheetName);
    // Month 13 still groups by its bytes: one period, its date cell empty.
    EXPECT_FALSE(s.cell(2, 1).isValid());
    EXPECT_DOUBLE_EQ(s.cell(2, 2).toDouble(), hms(8, 0));
    EXPECT_DOUBLE_EQ(s.cell(2, 3).toDouble(), hms(1, 0));
    EXPECT_EQ(s.cell(2, 8).toDouble(), 1);
    Worksheet &log = book->sheet(RunningLogSheetName);
    EXPECT_FALSE(log.cell(1, 2).isValid());
    EXPECT_EQ(log.cell(1, 3).toString(), QStringLiteral("8:0:0 AM"));
    EXPECT_EQ(log.cell(3, 2).toString(), QStringLiteral("2014年8月13日"));
    EXPECT_FALSE(log.cell(3, 3).isValid());
}

TEST(ManagementReport, DamagedSixteenBitFieldsFailTheReport)
{
    // The mileage of a power-on, the limit of a power-off, the distance of a summary.
    for (const QByteArray &damaged : {MgRecordBuilder(1).at(on(13, 8, 0)).byte(7, 200).bytes(),
                                      MgRecordBuilder(2).at(on(13, 8, 0)).byte(11, 128).bytes(),
                                      MgRecordBuilder(8).at(on(13, 8, 0)).byte(12, 255).bytes()}) {
        Workbook book;
        EXPECT_THROW(FillManagementReport(book, ParseManagementRecords(damaged), {}), ManagementFieldError)
            << damaged.toHex().constData();
    }
}

} // namespace

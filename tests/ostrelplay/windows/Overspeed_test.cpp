// Overspeed statistics: the key filter and threshold of the speed field, the runs
// found over a recording's sub-files, the rows and status texts, the workbook name.

#include "TestStdFixtures.h"

#include "windows/Overspeed.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

constexpr TPACKET speed(int raw) { return {u'O', int16_t(raw), 0}; }
constexpr TPACKET mileage(int km, int m) { return {u'M', int16_t(km), int16_t(m)}; }

// `rows` rows without echoes; the records given are placed on their rows.
SubFileImage run(int rows, const std::map<int, std::vector<TPACKET>> &records)
{
    SubFileImage sub = StdTest::minimalSubFile();
    for (int r = 0; r < rows; ++r) {
        const auto found = records.find(r);
        sub.addRow({}, found == records.end() ? std::vector<TPACKET>{} : found->second);
    }
    return sub;
}

OverspeedResult scan(const std::vector<SubFileImage> &subFiles, int32_t threshold, int64_t metres,
                     const OverspeedProgress &progress = {})
{
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write(QStringLiteral("speed.std"), StdFileImage{subFiles, std::nullopt}));
    return overspeedScan(*file, threshold, metres, progress);
}

struct Row {
    QString caption, start, end, distance, average;
    bool operator==(const Row &) const = default;
};

std::vector<Row> rowsOf(const OverspeedResult &result)
{
    std::vector<Row> rows;
    for (const OverspeedRow &r : result.rows)
        rows.push_back({r.caption, r.startMileage, r.endMileage, r.distance, r.averageSpeed});
    return rows;
}

TEST(OverspeedField, SpeedThresholdTruncatesToRawUnits)
{
    EXPECT_EQ(rawSpeedThreshold(4.5), 900);
    EXPECT_EQ(rawSpeedThreshold(0.0), 0);
    EXPECT_EQ(rawSpeedThreshold(1.2345), 246);
}

TEST(OverspeedField, KeyFilterTakesDigitsBackspaceAndOneLeadingDecimalPoint)
{
    struct Case {
        QString text;
        QChar key;
        bool accepted;
    };
    const std::vector<Case> cases{
        {QString(), QLatin1Char('7'), true},       {QStringLiteral("4.5"), QLatin1Char('0'), true},
        {QStringLiteral("4"), QLatin1Char('\b'), true}, {QStringLiteral("4"), QLatin1Char('.'), true},
        {QString(), QLatin1Char('.'), false},      {QStringLiteral("4.5"), QLatin1Char('.'), false},
        {QStringLiteral("4"), QLatin1Char('-'), false}, {QStringLiteral("4"), QLatin1Char('e'), false},
        {QStringLiteral("4"), QChar(u'５'), false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(speedKeyAccepted(c.text, c.key), c.accepted) << c.text.toStdString() << " + " << int(c.key.unicode());
}

TEST(OverspeedField, WorkbookNameGetsXlsAppendedOnce)
{
    EXPECT_EQ(withXlsExtension(QStringLiteral("/tmp/超速")), QStringLiteral("/tmp/超速.xls"));
    EXPECT_EQ(withXlsExtension(QStringLiteral("a.xls")), QStringLiteral("a.xls"));
    EXPECT_EQ(withXlsExtension(QStringLiteral("a.xlsx")), QStringLiteral("a.xlsx.xls"));
}

TEST(OverspeedScan, ThresholdValueCountsAsOverAndOneBelowAsUnder)
{
    // 899 never opens a run; 900 opens one that 899 closes after 12 m.
    const auto result = scan({run(9000, {{100, {speed(899)}},
                                         {1000, {speed(900), mileage(3, 200)}},
                                         {7000, {speed(899), mileage(3, 212)}}})},
                             900, 10);
    EXPECT_EQ(rowsOf(result), (std::vector<Row>{{"1", "3km,200m", "3km,212m", "12m", "4.5km/s"}}));
}

TEST(OverspeedScan, RunMustBeLongerThanTheMinimumLength)
{
    // Rows 1000 to 6000 are exactly 10 m and not listed; 1000 to 6001 is.
    const auto exact = scan({run(9000, {{1000, {speed(1000)}}, {6000, {speed(0)}}})}, 900, 10);
    EXPECT_TRUE(exact.rows.empty());
    const auto longer = scan({run(9000, {{1000, {speed(1000)}}, {6001, {speed(0)}}})}, 900, 10);
    ASSERT_EQ(longer.rows.size(), 1u);
    EXPECT_EQ(longer.rows[0].distance, QStringLiteral("10m"));
}

TEST(OverspeedScan, AverageSpeedRoundsHalvesToEven)
{
    // Averages 1005 and 1007 are the halves 5.025 and 5.035 km/s; 1002 and 1003 give 5.0125.
    const auto result = scan({run(6000, {{0, {speed(1005)}}, {1200, {speed(0)}},
                                         {1300, {speed(1007)}}, {2500, {speed(0)}},
                                         {2600, {speed(1002)}}, {3000, {speed(1003)}}, {3800, {speed(0)}}})},
                             900, 1);
    std::vector<QString> averages;
    for (const OverspeedRow &row : result.rows)
        averages.push_back(row.averageSpeed);
    EXPECT_EQ(averages, (std::vector<QString>{"5.02km/s", "5.04km/s", "5.01km/s"}));
}

TEST(OverspeedScan, RunOpenAtTheEndIsListedAndTheNextSubFileStartsClosed)
{
    // Sub-file 1: a 3 m run still open at the end, its end mileage read 1000 rows
    // before the end. Sub-file 2: a slow record first, which must not close anything;
    // then a run listed as row 2. A sub-file of 4 rows is not scanned at all.
    const auto result = scan({run(2000, {{100, {speed(1000), mileage(1, 1)}}, {1000, {mileage(1, 2)}}}),
                              run(4, {{0, {speed(2000)}}}),
                              run(9000, {{10, {speed(0)}}, {20, {speed(1200), mileage(2, 0)}},
                                         {6000, {speed(0), mileage(2, 12)}}})},
                             900, 10);
    EXPECT_EQ(rowsOf(result), (std::vector<Row>{{"1", "1km,1m", "1km,2m", "3m", "5km/s"},
                                                {"2", "2km,0m", "2km,12m", "11m", "6km/s"}}));
    EXPECT_EQ(result.totalMetres, 14);
    EXPECT_EQ(overspeedTotalStatus(result), QStringLiteral("2处超速共14米"));
}

TEST(OverspeedScan, MileageIsEmptyWhenNoRecordFollows)
{
    const auto result = scan({run(3000, {{10, {speed(950)}}, {2000, {speed(950)}}})}, 900, 0);
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(result.rows[0].startMileage, QString());
    EXPECT_EQ(result.rows[0].endMileage, QString());
    EXPECT_EQ(overspeedTotalStatus({}), QStringLiteral("0处超速共0米"));
}

TEST(OverspeedScan, ReportsEachSubFileAndEveryTenThousandRows)
{
    std::vector<std::pair<int, int64_t>> started;
    std::vector<int64_t> positions;
    const OverspeedProgress progress{[&](int subFile, int64_t maximum) { started.emplace_back(subFile, maximum); },
                                     [&](int64_t position) { positions.push_back(position); }};
    scan({run(25005, {}), run(3, {}), run(100, {})}, 900, 10, progress);
    EXPECT_EQ(started, (std::vector<std::pair<int, int64_t>>{{0, 25000}, {2, 95}}));
    EXPECT_EQ(positions, (std::vector<int64_t>{10000, 20000}));
    EXPECT_EQ(overspeedSubFileStatus(0), QStringLiteral("子文件 1 统计中..."));
}

} // namespace

// Overspeed statistics: the limit and length boundaries, stretches cut by the end of
// the recording and by curves, the mark windows, the texts of the list, totals and
// workbook, the inputs as typed, and the place a list line leads to.

#include "analysis/SpeedStatistics.h"

#include "office/OfficeError.h"

#include "TestFiles.h"
#include "XlsxReadBack.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

struct Sample {
    int64_t speed;
    int64_t curve = 0;
    int64_t mark = 0;
};

// One sample a metre from 123456.7 m on, 357 Steps apart.
MileageSamples table(const std::vector<Sample> &samples, int64_t firstTenths = 1234567)
{
    MileageSamples out;
    for (size_t k = 0; k < samples.size(); ++k)
        out.push_back({int64_t(k) * 357, firstTenths + int64_t(k) * 10, samples[k].speed, samples[k].curve,
                       samples[k].mark});
    return out;
}

MileageSamples speeds(const std::vector<int64_t> &values)
{
    std::vector<Sample> samples;
    for (const int64_t v : values)
        samples.push_back({v});
    return table(samples);
}

SpeedInputs inputs(double Tspeed, double TLen, double TextPrev = 1, double TextNext = 2)
{
    return {Tspeed, TLen, TextPrev, TextNext};
}

QStringList lines(std::initializer_list<const char *> texts)
{
    QStringList out;
    for (const char *text : texts)
        out.append(QString::fromUtf8(text));
    return out;
}

TEST(SpeedStatistics, LimitAndLengthBoundaries)
{
    const struct {
        double Tspeed;
        double TLen;
        std::vector<int64_t> speeds;
        qsizetype stretches;
    } cases[] = {
        {2.5, 0, {25, 25, 25}, 0},         // equal to the limit is not over
        {2.5, 0, {25, 26, 25}, 1},         // one tenth above is
        {2.3, 0, {23, 23}, 0},             // 10 × 2.3 is 23, however 2.3 is stored
        {2.3, 0, {24}, 1},
        {2.55, 0, {25, 26}, 1},            // a limit between tenths
        {2.5, 3, {30, 30, 30, 0}, 0},      // exactly TLen samples: not reported
        {2.5, 3, {30, 30, 30, 30, 0}, 1},  // one more: reported
        {2.5, 2.5, {30, 30, 0}, 0},        // a fractional length: more than 2.5 means 3
        {2.5, 2.5, {30, 30, 30}, 1},
        {-1, 0, {0, 0}, 1},                // every sample over a negative limit
    };
    for (const auto &c : cases) {
        const SpeedReport report = WholeLineOverspeed(speeds(c.speeds), 1.0, inputs(c.Tspeed, c.TLen), false);
        EXPECT_EQ(report.listLines.size() - 1, c.stretches) << c.Tspeed << " " << c.TLen << " " << c.speeds.size();
    }
}

TEST(SpeedStatistics, WholeLineTextsWithAStretchReachingTheLastSample)
{
    const MileageSamples samples = speeds({10, 10, 30, 40, 50, 10, 30, 30, 30, 30});
    // The list measures a sample by SampleSpacing, the totals by one metre.
    const SpeedReport report = WholeLineOverspeed(samples, 10.4, inputs(2.5, 2), true);
    EXPECT_EQ(report.listLines, lines({
                                    "  超速开始位置    连续超速距离    超速平均速度",
                                    "   0123+458.7         031米         4.00km/h",
                                    "   0123+462.7         042米         3.00km/h",
                                }));
    EXPECT_EQ(report.totals, lines({"全线总距离: 0.01公里", "超速总次数: 2次", "超速总米数: 7米", "超速百分比: 70.00%"}));
    ASSERT_EQ(report.rows.size(), 3u);
    EXPECT_EQ(report.rows[0], lines({"超速开始位置", "连续超速距离", "超速平均速度"}));
    EXPECT_EQ(report.rows[1], lines({"123,458.7", "31", "4.00"}));
    EXPECT_EQ(report.rows[2], lines({"123,462.7", "42", "3.00"}));
    EXPECT_EQ(report.columnWidths, (std::vector<std::pair<int, double>>{{1, 12}, {2, 12}, {3, 12}}));

    EXPECT_TRUE(WholeLineOverspeed(samples, 10.4, inputs(2.5, 2), false).rows.empty());
}

TEST(SpeedStatistics, EmptyRecordingHasNoPercentage)
{
    const SpeedReport report = WholeLineOverspeed({}, 1.05, inputs(2.5, 5), false);
    EXPECT_EQ(report.listLines.size(), 1);
    EXPECT_EQ(report.totals, lines({"全线总距离: 0.公里", "超速总次数: 0次", "超速总米数: 0米"}));
}

TEST(SpeedStatistics, CurvesEndStretchesWhereTheyEnd)
{
    // Over the limit throughout; a curve over samples 1-3 and 6-7.
    const MileageSamples samples =
        table({{30}, {30, 1}, {30, 1}, {30, 1}, {30}, {30}, {30, 1}, {30, 1}});

    const SpeedReport curve = CurveOverspeed(samples, 1.0, inputs(2.5, 1), true);
    EXPECT_EQ(curve.listLines, lines({
                                   "  曲线超速开始    曲线连续超速    曲线超速均速",
                                   "   0123+457.7         003米         3.00km/h",
                                   "   0123+462.7         002米         3.00km/h",
                               }));
    EXPECT_EQ(curve.totals, lines({"全线总距离:     0.008公里", "曲线总距离:     0.005公里", "曲线超速总次数: 2次",
                                   "曲线超速总米数: 5米", "曲线超速百分比: 100.00%"}));
    EXPECT_EQ(curve.rows[0], lines({"曲线超速开始 ", "曲线连续超速 ", "曲线超速均速"}));

    // The straight samples 0 and 4-5: the run at 0 ends at the curve (1 sample, not > 1).
    const SpeedReport straight = StraightOverspeed(samples, 1.0, inputs(2.5, 1), true);
    EXPECT_EQ(straight.listLines, lines({
                                      "  直线超速开始    直线连续超速    直线超速均速",
                                      "   0123+460.7         002米         3.00km/h",
                                  }));
    EXPECT_EQ(straight.totals, lines({"全线总距离:     0.008公里", "直线总距离:     0.003公里", "直线超速总次数: 1次",
                                      "直线超速总米数: 2米", "直线超速百分比: 66.67%"}));
    EXPECT_EQ(straight.rows[0], lines({"直线超速开始", "直线连续超速  ", "直线超速均速"}));
}

TEST(SpeedStatistics, NoCurvesGiveNoCurvePercentage)
{
    const SpeedReport report = CurveOverspeed(speeds({30, 30, 30}), 1.0, inputs(2.5, 0), false);
    EXPECT_EQ(report.listLines.size(), 1);
    EXPECT_EQ(report.totals, lines({"全线总距离:     0.003公里", "曲线总距离:     0.0公里", "曲线超速总次数: 0次",
                                    "曲线超速总米数: 0米"}));
}

TEST(SpeedStatistics, MarkWindowsAreCutAtBothEnds)
{
    // Marks at 0 (window 0..2), 3 (2..5) and 6 (5..6, cut at the last sample).
    const MileageSamples samples =
        table({{30, 0, 1}, {30}, {10}, {10, 0, 1}, {10}, {30}, {30, 0, 1}});
    const SpeedReport report = MarkVicinityOverspeed(samples, inputs(2.5, 1, 1, 2), true);
    EXPECT_EQ(report.listLines, lines({" 标记点附近超速米数多过设定的", "   0123+456.7", "   0123+462.7"}));
    EXPECT_EQ(report.totals, lines({"全线总距离:      0.007公里", "有标记总数:      3", "标记米前后有超速: 2"}));
    ASSERT_EQ(report.rows.size(), 3u);
    EXPECT_EQ(report.rows[0], lines({"标记点附近超速米数多过设定的"}));
    EXPECT_EQ(report.rows[2], lines({"123,462.7"}));
    EXPECT_EQ(report.columnWidths, (std::vector<std::pair<int, double>>{{1, 24}}));

    // Windows far wider than the recording and reversed ones count what lies inside.
    EXPECT_EQ(MarkVicinityOverspeed(samples, inputs(2.5, 3, 1e12, 1e12), false).listLines.size(), 4);
    EXPECT_EQ(MarkVicinityOverspeed(samples, inputs(2.5, 0, -5, -5), false).listLines.size(), 1);
}

TEST(SpeedStatistics, InputsAsTyped)
{
    const struct {
        SpeedStatistic statistic;
        SpeedInputTexts texts;
        const char *message;  // empty: accepted
    } cases[] = {
        {SpeedStatistic::WholeLine, {}, ""},
        {SpeedStatistic::WholeLine, {"abc", "5", "1", "2"}, "“限速”应为数字，请重新输入"},
        {SpeedStatistic::WholeLine, {"", "5", "1", "2"}, "“限速”应为数字，请重新输入"},
        {SpeedStatistic::Curve, {"2.5", "5米", "1", "2"}, "“连续超速距离”应为数字，请重新输入"},
        {SpeedStatistic::MarkVicinity, {"2.5", "x", "1", "2"}, "“超速米个数”应为数字，请重新输入"},
        {SpeedStatistic::MarkVicinity, {"2.5", "5", "1,5", "2"}, "“标记前”应为数字，请重新输入"},
        {SpeedStatistic::MarkVicinity, {"2.5", "5", "1", "inf"}, "“标记后”应为数字，请重新输入"},
        // Only what the statistic uses is read.
        {SpeedStatistic::Straight, {" 3.5 ", "5", "?", "?"}, ""},
    };
    for (const auto &c : cases) {
        const auto parsed = ParseSpeedInputs(c.texts, c.statistic);
        if (*c.message)
            EXPECT_EQ(std::get<QString>(parsed), QString::fromUtf8(c.message)) << c.texts.Tspeed.toStdString();
        else
            EXPECT_TRUE(std::holds_alternative<SpeedInputs>(parsed)) << std::get<QString>(parsed).toStdString();
    }
    const auto negative = ParseSpeedInputs({"3.5", "-4", "1.5", "2"}, SpeedStatistic::MarkVicinity);
    ASSERT_TRUE(std::holds_alternative<SpeedInputs>(negative));
    EXPECT_EQ(std::get<SpeedInputs>(negative).Tspeed, 3.5);
    EXPECT_EQ(std::get<SpeedInputs>(negative).TLen, 0);
    EXPECT_EQ(std::get<SpeedInputs>(negative).TextPrev, 1.5);
}

TEST(SpeedStatistics, JumpToTheLastEnclosingPair)
{
    // Mileage runs up to 102.0 m and back: 101.0 m lies in four pairs, the last is 3-4.
    MileageSamples samples;
    const int64_t mileages[] = {1000, 1010, 1020, 1010, 1000};
    for (size_t k = 0; k < std::size(mileages); ++k)
        samples.push_back({int64_t(1000 + 357 * k), mileages[k], 30, 0, 0});

    EXPECT_EQ(SpeedJumpTarget(1, QStringLiteral("   0000+101.0         003米"), samples), 1000 + 357 * 3 - 200);
    EXPECT_EQ(SpeedJumpTarget(1, QStringLiteral("   0000+102.0"), samples), 1000 + 357 * 2 - 200);
    // Unreadable kilometres count as 0.
    EXPECT_EQ(SpeedJumpTarget(1, QStringLiteral("   ab00+100.5"), samples), 1000 + 357 * 3 - 200);
    EXPECT_EQ(SpeedJumpTarget(1, QStringLiteral("   0000+102.1"), samples), std::nullopt);
    EXPECT_EQ(SpeedJumpTarget(1, QStringLiteral("   0001+101.0"), samples), std::nullopt);
    EXPECT_EQ(SpeedJumpTarget(0, QStringLiteral("   0000+101.0"), samples), std::nullopt);
    samples.resize(2);
    EXPECT_EQ(SpeedJumpTarget(1, QStringLiteral("   0000+100.5"), samples), std::nullopt);

    // A listed stretch leads to its own start.
    const MileageSamples listed = speeds({10, 30, 30, 10, 10});
    const SpeedReport report = WholeLineOverspeed(listed, 1.0, inputs(2.5, 1), false);
    EXPECT_EQ(SpeedJumpTarget(1, report.listLines[1], listed), 357 - 200);
}

TEST(SpeedStatistics, WorkbookReadBack)
{
    TestFiles::TestDir dir;
    const QString path = dir.path(QStringLiteral("超速.xls"));
    const SpeedReport report = WholeLineOverspeed(speeds({10, 30, 40, 50, 10}), 1.0, inputs(2.5, 2), true);
    ExportSpeedReport(path, report);

    XlsxFile file(path);
    ASSERT_TRUE(file.isZip());
    EXPECT_EQ(file.sheetNames(), (std::vector<std::string>{"速度统计", "Sheet1"}));
    EXPECT_EQ(file.cellValue(1, "A1"), "超速开始位置");
    EXPECT_EQ(file.cellValue(1, "C1"), "超速平均速度");
    EXPECT_EQ(file.cellValue(1, "A2"), "123,457.7");
    EXPECT_EQ(file.cellValue(1, "B2"), "3");
    EXPECT_EQ(file.cellValue(1, "C2"), "4.00");
    EXPECT_FALSE(file.hasCell(1, "A3"));
    for (int column = 1; column <= 3; ++column)
        EXPECT_NEAR(file.columnWidth(1, column), 12, 0.72) << column;

    const QString marks = dir.path(QStringLiteral("marks.xls"));
    ExportSpeedReport(marks, MarkVicinityOverspeed(table({{30, 0, 1}, {30}}), inputs(2.5, 1), true));
    XlsxFile markFile(marks);
    EXPECT_EQ(markFile.cellValue(1, "A1"), "标记点附近超速米数多过设定的");
    EXPECT_EQ(markFile.cellValue(1, "A2"), "123,456.7");
    EXPECT_NEAR(markFile.columnWidth(1, 1), 24, 0.72);

    const QString nowhere = dir.path(QStringLiteral("missing/out.xls"));
    EXPECT_THROW(ExportSpeedReport(nowhere, report), OfficeError);
    EXPECT_FALSE(QFile::exists(nowhere));
}

} // namespace

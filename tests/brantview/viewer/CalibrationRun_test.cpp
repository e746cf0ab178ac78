// The run of records a calibration point starts: where it ends and the positions
// its records take.

#include "viewer/CalibrationRun.h"

#include "recording/RecordingLoader.h"
#include "recording/StreamWriter.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace brantview;

namespace {

RecordingSlot load(const StreamWriter &w)
{
    TestFiles::TestDir dir;
    return LoadRecordingFile(dir.write(QStringLiteral("QC0001.D01"), w.bytes()), true, QDateTime::currentDateTime());
}

std::vector<std::pair<int, int>> entries(const CalibrationRun &run)
{
    std::vector<std::pair<int, int>> list;
    for (const CalibrationRunEntry &e : run)
        list.emplace_back(e.record, e.position);
    return list;
}

TEST(CalibrationRun, EndsWithTheRecordThatClosesIt)
{
    struct Case {
        const char *what;
        int code;
        int data;
    };
    for (const Case c : {Case{"an echo record", 5, 40}, Case{"a calibration packet byte", 72, 1},
                         Case{"an \"S\" mark", 24, 7}, Case{"a \"!\" mark", 24, 4}}) {
        StreamWriter w;
        w.record(1, 1, 30);    // 0
        w.record(73, 0, 0);    // 1: the point
        w.record(81, 7, 20);   // 2: calibration echoes advance in the run only
        w.record(24, 0, 1);    // 3: a ">" mark does not end it
        w.record(c.code, 3, c.data);  // 4
        w.record(82, 5, 20);   // 5: after the run
        const RecordingSlot slot = load(w);
        EXPECT_EQ(entries(BuildCalibrationRun(slot, 1)), (std::vector<std::pair<int, int>>{{2, 7}, {3, 7}, {4, 10}}))
            << c.what;
    }
}

TEST(CalibrationRun, AnEchoRightAfterThePointIsARunOfOneAndTheLastPointHasNone)
{
    StreamWriter w;
    w.record(73, 0, 0);
    w.record(2, 4, 50);
    w.record(73, 0, 0);
    const RecordingSlot slot = load(w);
    EXPECT_EQ(entries(BuildCalibrationRun(slot, 0)), (std::vector<std::pair<int, int>>{{1, 4}}));
    EXPECT_TRUE(BuildCalibrationRun(slot, 2).empty());
}

TEST(CalibrationRun, ARunWithoutAnEndStopsAtTheLastRecord)
{
    StreamWriter w;
    w.record(73, 0, 0);
    for (int i = 0; i < 4; ++i)
        w.record(90, 511, 9);
    const RecordingSlot slot = load(w);
    const CalibrationRun run = BuildCalibrationRun(slot, 0);
    ASSERT_EQ(run.size(), 4u);
    EXPECT_EQ(run.back().position, 4 * 511);
}

} // namespace

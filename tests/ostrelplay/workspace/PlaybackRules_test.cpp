// How play moves a row: the smart skip over rows without echoes, one worker
// advance in each mode, "前进" and "后退", and the sub-file change at the ends.

#include "TestStdFixtures.h"

#include "workspace/PlaybackRules.h"
#include "workspace/PositionBar.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWindowWidth = 3000;  // "BShowWidth": a step is 750 rows

// 40 rows: 0..2 empty, 3..9 with echoes, 10..19 empty, 20..29 with echoes, 30..39 empty.
// Rows with records but no echoes and a repeated row count as empty.
std::unique_ptr<mystdfile> playRecording(const StdTest::StdFileDir &dir)
{
    SubFileImage sub = StdTest::minimalSubFile();
    const auto echoRow = [&sub] { sub.addRow({makePacket(u'1', 30, 40), makePacket(u'7', 60, 70)}); };
    const auto emptyRow = [&sub] { sub.addRow({}); };
    sub.addRow({}, {makePacket(u'M', 12, 300)}, u'#');
    emptyRow();
    emptyRow();
    for (int row = 3; row < 10; ++row)
        echoRow();
    emptyRow();
    sub.addRow({}, {makePacket(u'M', 12, 301), makePacket(u'B')});
    sub.repeatLastRow();
    for (int row = 13; row < 20; ++row)
        emptyRow();
    for (int row = 20; row < 30; ++row)
        echoRow();
    for (int row = 30; row < 40; ++row)
        emptyRow();
    return StdTest::loadStd(dir.write("play.std", StdFileImage{{sub}, std::nullopt, false}));
}

class PlaybackRules : public ::testing::Test {
protected:
    StdTest::StdFileDir dir;
    std::unique_ptr<mystdfile> file = playRecording(dir);
};

TEST_F(PlaybackRules, EmptyRowsAreThoseWithoutEchoPackets)
{
    ASSERT_EQ(file->std_scandataindex.m_PacketIndexCount, 40);
    const struct {
        int row;
        bool empty;
    } cases[] = {{0, true}, {2, true}, {3, false}, {9, false}, {11, true}, {12, true}, {19, true},
                 {20, false}, {39, true}, {-1, false}, {40, false}, {100000, false}};
    for (const auto &c : cases)
        EXPECT_EQ(isEmptyRow(*file, c.row), c.empty) << "row " << c.row;
}

TEST_F(PlaybackRules, ForwardSkipStopsAtTheFirstRowWithEchoesOrAtTheMaximum)
{
    const struct {
        int position, maximum, expected;
    } cases[] = {
        {0, 39, 3},    // from the first row
        {10, 39, 20},  // over records and a repeated row
        {3, 39, 3},    // already on echoes
        {30, 35, 35},  // the empty run is longer than the rest
        {30, 39, 39},
        {15, 17, 17},
        {37, 35, 37},  // above the maximum: no skip
    };
    for (const auto &c : cases)
        EXPECT_EQ(skipEmptyRowsForward(*file, c.position, c.maximum), c.expected)
            << "from " << c.position << " to at most " << c.maximum;
}

TEST_F(PlaybackRules, ForwardSkipEndsWhenPlayStops)
{
    const std::atomic<bool> playing{false};
    EXPECT_EQ(skipEmptyRowsForward(*file, 10, 39, &playing), 10);
    PlaySettings continuous;
    continuous.smartplayMode = 1;
    EXPECT_EQ(workerAdvance(*file, 10, 39, continuous, &playing).position, 18);
}

TEST_F(PlaybackRules, WorkerAdvanceInEachMode)
{
    PlaySettings halfScreen;  // smart, "跳半个屏播放", 3000 wide, 500 ms
    PlaySettings continuous;
    continuous.smartplayMode = 1;  // "连续播放"
    PlaySettings normal;
    normal.smartPlay = false;
    PlaySettings narrowQuick;
    narrowQuick.bShowWidth = 1805;
    narrowQuick.smartplayTime = 200;
    PlaySettings fast = normal;
    fast.speed = 200;

    const std::atomic<bool> playing{true};
    const struct {
        const char *name;
        const PlaySettings &play;
        int position, expectedPosition, expectedDwell;
    } cases[] = {
        {"half screen after the skip", halfScreen, 10, 520, 500},
        {"half screen on echoes", halfScreen, 5, 505, 500},
        {"half screen of 1805 truncated", narrowQuick, 20, 320, 200},
        {"continuous after the skip", continuous, 10, 28, 0},
        {"normal play does not skip", normal, 10, 18, 0},
        {"normal play at full speed", fast, 0, 200, 0},
    };
    for (const auto &c : cases) {
        const Advance advance = workerAdvance(*file, c.position, 39, c.play, &playing);
        EXPECT_EQ(advance.position, c.expectedPosition) << c.name;
        EXPECT_EQ(advance.dwellMs, c.expectedDwell) << c.name;
    }
}

TEST_F(PlaybackRules, EmptyTailEndsAtTheMaximumAndThenAtTheNextSubFile)
{
    PositionBar bar;
    bar.setRange(0, 35);
    bar.setPosition(30);
    bar.setPosition(workerAdvance(*file, bar.position(), bar.maximum(), PlaySettings{}).position);
    EXPECT_EQ(bar.position(), 35);
    EXPECT_EQ(subFileChangeAt(bar.position(), bar.minimum(), bar.maximum(), 0, 2), SubFileChange::Next);
    // In the last sub-file the position stays at the end.
    bar.setPosition(workerAdvance(*file, bar.position(), bar.maximum(), PlaySettings{}).position);
    EXPECT_EQ(bar.position(), 35);
    EXPECT_EQ(subFileChangeAt(bar.position(), bar.minimum(), bar.maximum(), 1, 2), SubFileChange::None);
}

TEST_F(PlaybackRules, StepForwardMovesAQuarterOfTheImageAfterTheSkip)
{
    const struct {
        bool smart;
        int position, maximum, expected;
    } cases[] = {
        {true, 10, 39, 770}, {true, 3, 39, 753}, {true, 30, 35, 785}, {false, 10, 39, 760}, {false, 35, 35, 785},
    };
    for (const auto &c : cases)
        EXPECT_EQ(stepForward(*file, c.position, c.maximum, c.smart, kWindowWidth), c.expected)
            << (c.smart ? "smart" : "normal") << " from " << c.position;
}

TEST_F(PlaybackRules, StepBackSkipsWithSyncAlwaysAndWithoutOnlyBeforeTheLastFiveRows)
{
    // 40 rows: without sync the skip runs only for 0 < position < 35.
    const struct {
        bool smart, sync;
        int position, expected;
    } cases[] = {
        {true, true, 19, 9 - 750},   {true, false, 19, 9 - 750},
        {true, true, 36, 29 - 750},  {true, false, 36, 36 - 750},
        {true, false, 35, 35 - 750}, {true, false, 34, 29 - 750},
        {true, true, 2, 0 - 750},    {true, false, 2, 0 - 750},
        {true, true, 9, 9 - 750},    {false, true, 19, 19 - 750},
        {false, false, 36, 36 - 750},
    };
    for (const auto &c : cases)
        EXPECT_EQ(stepBack(*file, c.position, 0, c.smart, c.sync, kWindowWidth), c.expected)
            << (c.smart ? "smart" : "normal") << (c.sync ? " sync" : " async") << " from " << c.position;
}

TEST(PlaybackRulesSubFile, ChangesAtTheEndsOfASubFileThatHasANeighbour)
{
    const struct {
        int position, current, count;
        SubFileChange expected;
    } cases[] = {
        {39, 0, 2, SubFileChange::Next},     {39, 1, 2, SubFileChange::None},
        {0, 1, 2, SubFileChange::Previous},  {0, 0, 2, SubFileChange::None},
        {20, 1, 3, SubFileChange::None},     {39, 0, 1, SubFileChange::None},
        {0, 2, 3, SubFileChange::Previous},  {39, 1, 3, SubFileChange::Next},
    };
    for (const auto &c : cases)
        EXPECT_EQ(subFileChangeAt(c.position, 0, 39, c.current, c.count), c.expected)
            << "row " << c.position << " of sub-file " << c.current << "/" << c.count;
}

} // namespace

// The event index, rail-type areas and gain areas built at the end of loading.

#include "TestStdFixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Base gain 40 + channel in every rail type; offsets 10 x rail type + channel / 2.
TSYSTEMPARA gainPara(int railType)
{
    TSYSTEMPARA para = StdTest::minimalPara();
    para.m_RailType = int8_t(railType);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 9; ++c) {
            para.m_Gain[r][c] = 40.0f + float(c);
            para.m_DeltaGain[r][c] = 10.0f * float(r) + 0.5f * float(c);
        }
    return para;
}

TGainSet deltaGainOf(const TSYSTEMPARA &para)
{
    TGainSet set;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 9; ++c)
            set[r][c] = para.m_DeltaGain[r][c];
    return set;
}

void expectGainSet(const TGainSet &actual, const TGainSet &expected, const std::string &what)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 9; ++c)
            EXPECT_FLOAT_EQ(actual[r][c], expected[r][c]) << what << " [" << r << "][" << c << "]";
}

std::unique_ptr<mystdfile> loadSubFiles(const StdTest::StdFileDir &dir, std::vector<SubFileImage> subFiles)
{
    StdFileImage image;
    image.subFiles = std::move(subFiles);
    return StdTest::loadStd(dir.write("events.std", image));
}

TEST(CalEvent, SubFileWithoutRecordsHasOneAreaOfEach)
{
    SubFileImage sub;
    sub.para = gainPara(1);
    for (int k = 0; k < 6; ++k)
        sub.addRow({makePacket(u'2', 4, 8)}, {makePacket(u'M', 3, int16_t(k)), makePacket(u'O', 200, 600)});
    StdTest::StdFileDir dir;
    const auto file = loadSubFiles(dir, {sub});

    EXPECT_EQ(file->std_RecordCount, (std::vector<int32_t>{0}));
    EXPECT_TRUE(file->std_RecordIndex[0].empty());
    EXPECT_EQ(file->arr_RailTypeArea[0], (std::vector<int32_t>{0}));
    EXPECT_EQ(file->arr_RailType[0], (std::vector<int8_t>{1}));
    EXPECT_EQ(file->arr_GainArea[0], (std::vector<int32_t>{0, 5}));
    ASSERT_EQ(file->arr_Gain[0].size(), 1u);
    expectGainSet(file->arr_Gain[0][0], deltaGainOf(sub.para), "initial set");
}

TEST(CalEvent, GainRecordsChangeTheOwnRailTypeFromTheirRow)
{
    // Own rail type 1. A switch to rail type 3 at row 2 does not redirect the gain records.
    SubFileImage sub;
    sub.para = gainPara(1);
    for (int k = 0; k < 10; ++k) {
        std::vector<TPACKET> records;
        if (k == 2)
            records = {makePacket(u'N', 3)};
        if (k == 4)  // two channels in one row: 45.5 - 40 and 53 - 43
            records = {makePacket(u'a', 455), makePacket(u'M', 1, 2), makePacket(u'd', 530)};
        if (k == 7)  // channel 7: 52.7 - 47
            records = {makePacket(u'h', 527)};
        sub.addRow({makePacket(u'0', 1, 2)}, records);
    }
    StdTest::StdFileDir dir;
    const auto file = loadSubFiles(dir, {sub});

    EXPECT_EQ(file->arr_GainArea[0], (std::vector<int32_t>{0, 4, 7, 9}));
    ASSERT_EQ(file->arr_Gain[0].size(), 3u);
    const TGainSet initial = deltaGainOf(sub.para);
    TGainSet atRow4 = initial;
    atRow4[1][0] = 5.5f;
    atRow4[1][3] = 10.0f;
    TGainSet atRow7 = atRow4;
    atRow7[1][7] = 5.7f;
    expectGainSet(file->arr_Gain[0][0], initial, "set 0");
    expectGainSet(file->arr_Gain[0][1], atRow4, "set 1");
    expectGainSet(file->arr_Gain[0][2], atRow7, "set 2");
}

TEST(CalEvent, GainRecordAtRowZeroChangesTheInitialSet)
{
    SubFileImage sub;
    sub.para = gainPara(2);
    sub.addRow({}, {makePacket(u'b', 460)});
    for (int k = 1; k < 4; ++k)
        sub.addRow({makePacket(u'5', 10, 12)});
    StdTest::StdFileDir dir;
    const auto file = loadSubFiles(dir, {sub});

    EXPECT_EQ(file->arr_GainArea[0], (std::vector<int32_t>{0, 3}));
    ASSERT_EQ(file->arr_Gain[0].size(), 1u);
    TGainSet expected = deltaGainOf(sub.para);
    expected[2][1] = 5.0f;
    expectGainSet(file->arr_Gain[0][0], expected, "set 0");
}

TEST(CalEvent, RailTypeRecordsAddAreas)
{
    SubFileImage sub;
    sub.para = gainPara(4);
    for (int k = 0; k < 12; ++k) {
        std::vector<TPACKET> records;
        if (k == 5)
            records = {makePacket(u'N', 2)};
        if (k == 9)  // two switches in one row, the second with high bits set: only the low 8 bits count
            records = {makePacket(u'N', 3), makePacket(u'N', 0x0101)};
        sub.addRow({}, records);
    }
    StdTest::StdFileDir dir;
    const auto file = loadSubFiles(dir, {sub});

    EXPECT_EQ(file->arr_RailTypeArea[0], (std::vector<int32_t>{0, 5, 9, 9}));
    EXPECT_EQ(file->arr_RailType[0], (std::vector<int8_t>{4, 2, 3, 1}));
    EXPECT_EQ(file->std_RecordIndex[0].size(), 3u);
}

// A damaged row index that keeps going back to a row of many records would read
// them again for every row: each packet is read once, whatever the index says.
TEST(CalEvent, RowsWhoseHeadGoesBackAreNotReadAgain)
{
    SubFileImage sub;
    sub.para = gainPara(4);
    sub.addRow({}, std::vector<TPACKET>(300, makePacket(u'N', 2)));
    sub.addRow({makePacket(u'1')}, {makePacket(u'A')});
    for (int k = 0; k < 2000; ++k)
        sub.rowIndex.push_back(sub.rowIndex[size_t(k % 2)]);
    sub.addRow({}, {makePacket(u'B')});
    StdTest::StdFileDir dir;
    const auto file = loadSubFiles(dir, {sub});

    EXPECT_EQ(file->arr_RailTypeArea[0].size(), 301u);
    const std::vector<QPoint> &events = file->std_RecordIndex[0];
    ASSERT_EQ(events.size(), 302u);
    EXPECT_EQ(events[300], QPoint(1, 303));  // head 301, echo 302, record 303
    EXPECT_EQ(events[301].x(), 2002);
}

TEST(CalEvent, EventIndexListsRecordsInFileOrder)
{
    SubFileImage first = StdTest::minimalSubFile();
    first.addRow({makePacket(u'0'), makePacket(u'1')});                                           // packets 0..2
    first.addRow({makePacket(u'2')}, {makePacket(u'A')});                                         // 3..5
    first.addRow({}, {makePacket(u'M', 1, 2), makePacket(u'U', 1), makePacket(u'O', 200, 30)});  // 6..9
    first.addRow({makePacket(u'5')}, {makePacket(u'V'), makePacket(u'a', 400), makePacket(u'P')});  // 10..14
    first.addRow({makePacket(u'3'), makePacket(u'4')},
                 {makePacket(u'L'), makePacket(u'N', 2), makePacket(u'T'), makePacket(u'i', 380)});  // 15..21
    first.addRow({}, {makePacket(u'Q'), makePacket(u'R'), makePacket(u'S'), makePacket(u'K')});     // 22..26
    first.addRow({makePacket(u'9')});                                                               // 27..28
    SubFileImage second = StdTest::minimalSubFile("1.6.X");
    second.addRow({}, {makePacket(u'D', 7)});
    second.addRow({makePacket(u'0')}, {makePacket(u'e', 420)});
    StdTest::StdFileDir dir;
    const auto file = loadSubFiles(dir, {first, second});

    EXPECT_EQ(file->std_RecordCount, (std::vector<int32_t>{8, 2}));
    EXPECT_EQ(file->std_RecordIndex[0], (std::vector<QPoint>{{1, 5}, {2, 8}, {3, 12}, {3, 13}, {4, 18}, {4, 19},
                                                             {4, 21}, {5, 26}}));
    EXPECT_EQ(file->std_RecordIndex[1], (std::vector<QPoint>{{0, 1}, {1, 4}}));
}

TEST(CalEvent, RepeatedRowIsIndexedOnce)
{
    SubFileImage sub = StdTest::minimalSubFile();
    sub.addRow({makePacket(u'0')});                      // 0..1
    sub.addRow({makePacket(u'1')}, {makePacket(u'B')});  // 2..4
    sub.repeatLastRow();
    sub.repeatLastRow();
    sub.addRow({}, {makePacket(u'C')});  // 5..6
    StdTest::StdFileDir dir;
    const auto file = loadSubFiles(dir, {sub});

    EXPECT_EQ(file->std_RecordCount, (std::vector<int32_t>{2}));
    EXPECT_EQ(file->std_RecordIndex[0], (std::vector<QPoint>{{1, 4}, {4, 6}}));
}

TEST(CalEvent, RecordsOutsideEveryRowLeaveZeroEntries)
{
    // The loader counts every event packet; one that no row reaches leaves a (0, 0) entry.
    SubFileImage sub = StdTest::minimalSubFile();
    sub.addRow({makePacket(u'0')}, {makePacket(u'B')});  // 0..2
    sub.addRow({}, {makePacket(u'C')});                  // 3..4
    sub.packets.push_back(makePacket(u'E'));              // 5, in no row
    StdTest::StdFileDir dir;
    const auto file = loadSubFiles(dir, {sub});

    EXPECT_EQ(file->std_RecordCount, (std::vector<int32_t>{3}));
    EXPECT_EQ(file->std_RecordIndex[0], (std::vector<QPoint>{{0, 2}, {1, 4}, {0, 0}}));
}

} // namespace

#include "recording/FindTableEntry.h"
#include "recording/Packets.h"
#include "recording/RecordingErrors.h"
#include "recording/RecordingLoader.h"
#include "recording/StreamWriter.h"

#include "TestFiles.h"

#include "common/SynthRandom.h"

#include <gtest/gtest.h>

using namespace brantview;

namespace {

RecordingSlot load(const QByteArray &bytes, bool firstPane = true)
{
    TestFiles::TestDir dir;
    return LoadRecordingFile(dir.write(QStringLiteral("QC0001.D01"), bytes), firstPane, QDateTime::currentDateTime());
}

RecordingSlot load(const StreamWriter &w)
{
    return load(w.bytes());
}

std::vector<std::array<int, 3>> columns(const RecordingSlot &slot)
{
    std::vector<std::array<int, 3>> list;
    for (const Column &c : slot.Columns)
        list.push_back({c.position, c.first, c.last});
    return list;
}

TEST(RecordingLoader, FilesShorterThanARecordHoldNone)
{
    for (const QByteArray &bytes : {QByteArray("\x02", 1), QByteArray("\x02\x01", 2)}) {
        const RecordingSlot slot = load(bytes);
        EXPECT_TRUE(slot.isStream());
        EXPECT_EQ(slot.RecordCount, 0);
        EXPECT_EQ(slot.Records.size(), 0u);
        EXPECT_TRUE(slot.Columns.empty());
        EXPECT_EQ(slot.ParsedBytes, bytes.size());
    }
}

TEST(RecordingLoader, ALoneRecordClosesTheOnlyColumn)
{
    StreamWriter w;
    w.record(1, 0, 40);
    const RecordingSlot slot = load(w);
    ASSERT_EQ(slot.Records.size(), 1u);
    EXPECT_EQ(columns(slot), (std::vector<std::array<int, 3>>{{0, 0, 0}}));
}

TEST(RecordingLoader, AnEmptyFileIsRefused)
{
    try {
        load(QByteArray());
        FAIL() << "an empty file loaded";
    } catch (const BrantFileError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("文件格式不对或是空文件"));
    }
}

TEST(RecordingLoader, ColumnsCloseAtAdvancingRecordsAndAtTheLast)
{
    StreamWriter w;
    w.record(1, 0, 40);   // 0
    w.record(11, 2, 90);  // 1 closes at 2
    w.record(80, 7, 5);   // 2 calibration-run code: no advance
    w.record(74, 9, 5);   // 3 never advances
    w.record(24, 3, 0);   // 4 error record: its step is ignored
    w.record(79, 4, 0);   // 5 advances: closes at 6
    w.record(3, 0, 10);   // 6 last record closes at 6
    const RecordingSlot slot = load(w);
    EXPECT_EQ(columns(slot), (std::vector<std::array<int, 3>>{{2, 0, 1}, {6, 2, 5}, {6, 6, 6}}));
}

TEST(RecordingLoader, InvalidRecordsBecomeErrorRecordsKeepingTheirStep)
{
    struct Case {
        int code, data;
        bool valid;
    };
    const Case cases[] = {{24, 0, false}, {24, 1, true},  {24, 14, true},  {24, 15, false}, {23, 0, true},
                          {36, 1, false}, {49, 1, false}, {50, 1, true},   {57, 1, false},  {60, 1, true},
                          {61, 1, false}, {75, 1, false}, {78, 1, false},  {79, 1, true},   {80, 1, true},
                          {115, 1, true}, {116, 1, false}, {127, 1, false}};
    for (const Case &c : cases) {
        StreamWriter w;
        w.record(c.code, 300, c.data);
        w.record(0, 0, 0);
        const RecordingSlot slot = load(w);
        const StreamRecord r = slot.Records[0];
        SCOPED_TRACE(testing::Message() << "code " << c.code << " data " << c.data);
        EXPECT_EQ(r.code(), c.valid ? c.code : Code::Error);
        EXPECT_EQ(r.data(), c.valid ? c.data : 0);
        if (c.code != Code::Mileage) {
            EXPECT_EQ(r.step(), 300);
        }
        EXPECT_EQ(slot.MarkCounts[MarkCountIndex::Error], c.valid ? 0 : 1);
    }
}

TEST(RecordingLoader, TheEndMarkerEndsTheRecordsAndStartsTheTrailer)
{
    ReviewMark mark;
    mark.kind = 2;
    mark.postPosition[0] = 0x34;
    mark.postPosition[1] = 0x12;
    StreamWriter w;
    w.trailer("Li", std::vector<ReviewMark>{mark, mark});
    w.raw(QByteArray(20, 'x'));  // a group shorter than a mark is ignored
    const RecordingSlot slot = load(w);
    EXPECT_EQ(slot.Records.size(), 0u);
    EXPECT_TRUE(slot.Columns.empty());
    EXPECT_EQ(slot.ParsedBytes, 0);
    EXPECT_TRUE(slot.HasTrailer);
    EXPECT_EQ(slot.ReplayerName, QByteArray("Li      "));
    ASSERT_EQ(slot.ReviewMarkCount(), 2);
    EXPECT_EQ(slot.ReviewMarks[1].position(), 0x1234);
    EXPECT_EQ(slot.DiskTrailer.size(), 3 + 8 + 2 * 27 + 20);
}

TEST(RecordingLoader, RecordsBeforeTheMarkerBelongToNoColumn)
{
    StreamWriter w;
    w.record(1, 1, 40);
    w.record(1, 0, 41);
    w.endMarker();
    w.raw("Li");  // a name cut short, no marks
    const RecordingSlot slot = load(w);
    EXPECT_EQ(slot.Records.size(), 2u);
    EXPECT_EQ(columns(slot), (std::vector<std::array<int, 3>>{{1, 0, 0}}));
    EXPECT_EQ(slot.ParsedBytes, 6);
    EXPECT_FALSE(slot.HasTrailer);
    EXPECT_TRUE(slot.ReplayerName.isEmpty());
}

TEST(RecordingLoader, MileageKeepsTheLargestValueAndTheCurveState)
{
    StreamWriter w;
    w.record(24, 0, MarkKind::CurveLower);
    w.record(24, 0, MarkKind::Star);
    w.packet(Code::Mileage, std::vector<uint8_t>{0x85, 0x12, 1, 2, 3, 255, 255, 255, 255}, 5);
    const RecordingSlot slot = load(w);
    ASSERT_EQ(slot.MileageTable.size(), 1u);
    EXPECT_EQ(slot.MileageTable[0], (MileageEntry{5, 4294967295LL, 5, 2, 1}));
    EXPECT_EQ(slot.Records[2].step(), 2);  // the curve state, for the drawing
    EXPECT_EQ(slot.CurveMarkCount, 1);
}

TEST(RecordingLoader, APacketCutByItsColumnIsDropped)
{
    StreamWriter w;
    const std::vector<uint8_t> gain = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 2};
    w.packet(Code::Gain, std::span(gain).first(6), 1);
    w.packet(Code::Gain, std::span(gain).last(5), 1);
    const RecordingSlot slot = load(w);
    EXPECT_TRUE(slot.GainTable.empty());
    EXPECT_EQ(slot.Records.size(), 11u);
}

TEST(RecordingLoader, OnlyTheBytesAfterTheLastWrapCount)
{
    MileagePacket first;
    first.mileage = 1000;
    MileagePacket second;
    second.mileage = 2000;
    StreamWriter w;
    w.packet(Code::Mileage, first.bytes());
    w.packet(Code::Mileage, second.bytes(), 1);
    const RecordingSlot slot = load(w);
    ASSERT_EQ(slot.MileageTable.size(), 1u);
    EXPECT_EQ(slot.MileageTable[0][MileageField::Mileage], 2000);
}

TEST(RecordingLoader, OneTrackNumberPerColumn)
{
    StreamWriter w;
    w.record(0, 0, 0);  // codes 64..71 first would make an A-scan record
    w.record(Code::TrackNumber, 0, 7);
    w.record(Code::TrackNumber, 1, 9);
    w.record(Code::TrackNumber, 1, 3);
    const RecordingSlot slot = load(w);
    EXPECT_EQ(slot.TrackTable, (std::vector<TrackEntry>{{1, 7}, {2, 3}}));
    EXPECT_EQ(slot.MarkCounts[MarkCountIndex::Track], 2);
}

TEST(RecordingLoader, SwitchAndCalibrationBytesGiveWayToMarksBeforeThem)
{
    StreamWriter w;
    w.record(0, 0, 0);
    w.packet(Code::SwitchNumber, std::vector<uint8_t>{1, 2}, 1);  // taken
    w.record(Code::SwitchMark, 0, 0);
    w.packet(Code::SwitchNumber, std::vector<uint8_t>{3, 4}, 1);  // after a switch mark: not taken
    w.packet(Code::Calibration, std::vector<uint8_t>{0, 150}, 1); // taken
    w.record(Code::Mark, 0, MarkKind::PullCalibration);
    w.packet(Code::Calibration, std::vector<uint8_t>{0, 99}, 1);  // after a kind-1 mark: not taken
    const RecordingSlot slot = load(w);
    EXPECT_EQ(slot.SwitchTable, (std::vector<SwitchEntry>{{1, 1, 2}}));
    EXPECT_EQ(slot.CalibrationTable, (std::vector<CalibrationEntry>{{3, 0, 150}}));
    EXPECT_EQ(slot.MarkCounts[MarkCountIndex::Switch], 2);  // one mark, one number
    EXPECT_EQ(slot.MarkCounts[0], 2);                       // one mark, one calibration packet
}

TEST(RecordingLoader, MarkCountsFollowTheirKindsRules)
{
    StreamWriter w;
    for (int column = 0; column < 2; ++column) {
        for (int repeat = 0; repeat < 2; ++repeat)
            for (int kind = 1; kind <= 14; ++kind)
                w.record(Code::Mark, 0, kind);
        w.record(0, 1, 0);
    }
    const RecordingSlot slot = load(w);
    // Kinds 1..7 and 10 once per column, 8 and 9 every time; curves once per column.
    EXPECT_EQ(slot.MarkCounts, (std::array<int32_t, 13>{2, 2, 2, 2, 2, 2, 2, 4, 4, 2, 0, 0, 0}));
    EXPECT_EQ(slot.CurveMarkCount, 2);
}

TEST(RecordingLoader, GpsFixesBecomeApproximateMetres)
{
    GpsPacket gps;
    gps.longitude = 11630000;  // 116°30.000'
    gps.latitude = 3954000;    // 39°54.000'
    StreamWriter w;
    w.packet(Code::Gps, gps.bytes(), 1);
    const RecordingSlot slot = load(w);
    EXPECT_EQ(slot.GpsTable, (std::vector<GpsEntry>{{1, 9902500, 4428900}}));
}

TEST(RecordingLoader, PositionsBeyondTheSupportedRangeAreRefused)
{
    StreamWriter w;
    const int records = int(std::numeric_limits<int32_t>::max() / 511) + 1;
    QByteArray bytes;
    bytes.reserve(3 * records);
    for (int i = 0; i < records; ++i)
        bytes.append(QByteArray::fromRawData("\x03\xFF\x10", 3));
    EXPECT_THROW(load(bytes), BrantFileError);
}

TEST(RecordingLoader, AScanRecordsOnlyInTheFirstPane)
{
    QByteArray bytes(300, '\x05');
    bytes[0] = char(0x83);
    const RecordingSlot first = load(bytes);
    EXPECT_TRUE(first.isAScan());
    EXPECT_EQ(first.Frames.size(), 1u);
    EXPECT_EQ(first.Frames[0].channel(), 1);
    EXPECT_TRUE(load(bytes, false).isStream());
    EXPECT_THROW(load(bytes.left(255)), BrantFileError);
}

TEST(RecordingLoader, ProgressRunsFromZeroToAHundred)
{
    StreamWriter w;
    for (int i = 0; i < 70000; ++i)
        w.record(1, 1, 30);
    TestFiles::TestDir dir;
    std::vector<int> reports;
    LoadRecordingFile(dir.write(QStringLiteral("a.D01"), w.bytes()), true, QDateTime::currentDateTime(),
                      [&](int percent) { reports.push_back(percent); });
    EXPECT_EQ(reports, (std::vector<int>{0, 42, 85, 100}));
}

// Damaged and hostile bytes load or are refused with a message, and the index stays
// within the records.
TEST(RecordingLoader, ArbitraryBytesNeverBreakTheIndex)
{
    common::SynthRandom random(17);
    for (int run = 0; run < 300; ++run) {
        QByteArray bytes(int(random.between(1, 3000)), Qt::Uninitialized);
        for (char &c : bytes)
            c = char(random.below(256));
        if (run % 3 == 0)  // plenty of markers and packet codes
            for (int i = 0; i + 2 < bytes.size(); i += int(random.between(3, 60)) * 3)
                bytes[i] = char(random.oneIn(4) ? 0x7A : 100 + 2 * random.below(4));
        try {
            const RecordingSlot slot = load(bytes);
            for (const Column &c : slot.Columns) {
                ASSERT_LE(c.first, c.last + 1);
                ASSERT_LT(size_t(c.last), slot.Records.size());
            }
            ASSERT_LE(slot.ParsedBytes, bytes.size());
        } catch (const BrantFileError &) {
        }
    }
}

TEST(FindTableEntry, FindsTheEntryInEffect)
{
    const std::vector<TrackEntry> table = {{10, 0}, {20, 0}, {30, 0}, {40, 0}};
    struct Case {
        int64_t target;
        int index;
    };
    for (const Case c : {Case{5, 0}, Case{10, 0}, Case{11, 0}, Case{20, 0}, Case{21, 1}, Case{30, 1}, Case{39, 2},
                         Case{40, 3}, Case{99, 3}})
        EXPECT_EQ(FindTableEntry(table, c.target), c.index) << "target " << c.target;
    EXPECT_EQ(FindTableEntry(std::vector<TrackEntry>{{10, 0}}, 3), 0);
    EXPECT_EQ(FindTableEntry(std::vector<TrackEntry>{{10, 0}}, 30), 0);
    EXPECT_EQ(FindTableEntry(std::vector<TrackEntry>{}, 30), std::nullopt);
    EXPECT_EQ(FindTableEntry(table, 1, 2, 35), 2);
}

} // namespace

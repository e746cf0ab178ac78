#include "recording/Packets.h"
#include "recording/RecordingErrors.h"
#include "recording/RecordingLoader.h"
#include "recording/SegmentExport.h"
#include "recording/StreamWriter.h"

#include "ResourceLimit.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace brantview;

namespace {

// Set-up, gain and parameter packets, then 40 columns of echoes at positions 2, 4, ...
struct Source {
    TestFiles::TestDir dir;
    QString path;
    RecordingSlot slot;

    Source()
    {
        StreamWriter w;
        std::vector<uint8_t> setup(24);
        for (int k = 0; k < 24; ++k)
            setup[size_t(k)] = uint8_t(k + 1);
        const std::vector<uint8_t> gain = {10, 11, 12, 13, 14, 15, 16, 17, 18, 4, 2};
        ParamBlock params;
        params.set(42, 2);
        params.set(43, 188);
        params.set(46, 1);
        w.packet(Code::RailSetup, setup);
        w.packet(Code::Gain, gain);
        w.packet(Code::Param, params.b, 2);
        for (int column = 1; column < 40; ++column) {
            w.record(11, 0, 100 + column);
            w.record(24, 0, 0);  // an error record: copied as the file holds it
            w.record(1, 2, column);
        }
        path = dir.write(QStringLiteral("QC0001.D01"), w.bytes());
        slot = LoadRecordingFile(path, true, QDateTime::currentDateTime());
        slot.ViewStart = 30;
    }

    // The file's records of columns first..last.
    QByteArray rawColumns(int first, int last) const
    {
        const QByteArray bytes = TestFiles::readBytes(path);
        const int from = slot.Columns[size_t(first)].first;
        const int to = slot.Columns[size_t(last)].last;
        return bytes.mid(3 * from, 3 * (to - from + 1));
    }
};

TEST(SegmentExport, ASegmentOpensAsARecordingWithThePacketsInEffect)
{
    Source s;
    const QString target = s.dir.path(QStringLiteral("SEG.DAT"));
    const int64_t written = ExportSegment(s.slot, 20, 11, target);

    const QByteArray segment = TestFiles::readBytes(target);
    EXPECT_EQ(written, segment.size());
    EXPECT_EQ(uint8_t(segment[0]), StreamTypeCode);
    // Columns at 10 (in effect at 11), 12, ..., 18: the one at 20 is not below 20.
    EXPECT_EQ(segment.mid(3 * (24 + 11 + 46)), s.rawColumns(4, 8));
    EXPECT_EQ(ExportSegment(s.slot, 11, 20, s.dir.path(QStringLiteral("SWAPPED.DAT"))), written);
    EXPECT_EQ(TestFiles::readBytes(s.dir.path(QStringLiteral("SWAPPED.DAT"))), segment);

    const RecordingSlot back = LoadRecordingFile(target, true, QDateTime::currentDateTime());
    ASSERT_EQ(back.RailSetup55Table.size(), 1u);
    RailSetup55Entry setup = s.slot.RailSetup55Table[0];
    setup[0] = 255;  // the parameter block's last record closes the first column
    EXPECT_EQ(back.RailSetup55Table[0], setup);
    ASSERT_EQ(back.GainTable.size(), 1u);
    EXPECT_EQ(back.GainTable[0][11], 2);
    ASSERT_EQ(back.ParamTable.size(), 1u);
    EXPECT_EQ(back.ParamTable[0][42] * 256 + back.ParamTable[0][43], 700);
    EXPECT_EQ(back.MarkCounts[MarkCountIndex::Error], 5);
}

TEST(SegmentExport, SegmentsAppendToASegmentFile)
{
    Source s;
    const QString target = s.dir.path(QStringLiteral("SEG.DAT"));
    ExportSegment(s.slot, 4, 8, target);
    const QByteArray first = TestFiles::readBytes(target);
    ExportSegment(s.slot, 30, 40, target);
    const QByteArray both = TestFiles::readBytes(target);
    EXPECT_EQ(both.left(first.size()), first);
    EXPECT_EQ(both.mid(first.size() + 3 * (24 + 11 + 46)), s.rawColumns(13, 18));
}

TEST(SegmentExport, TargetsOfAnotherShapeOrTheSourceAreRefused)
{
    Source s;
    struct Case {
        const char *name;
        QByteArray content;
    };
    const Case cases[] = {{"ODD.DAT", QByteArray("\x6E\x00\x01\x6E", 4)},
                          {"OTHER.DAT", QByteArray("\x02\x00\x01", 3)}};
    for (const Case &c : cases) {
        const QString target = s.dir.write(QString::fromLatin1(c.name), c.content);
        try {
            ExportSegment(s.slot, 4, 8, target);
            ADD_FAILURE() << c.name << " took a segment";
        } catch (const BrantFileError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("文件记录格式不对"));
        }
        EXPECT_EQ(TestFiles::readBytes(target), c.content);
    }
    const QByteArray source = TestFiles::readBytes(s.path);
    EXPECT_THROW(ExportSegment(s.slot, 4, 8, s.path), BrantFileError);
    EXPECT_THROW(ExportSegment(s.slot, 4, 8, s.dir.path(QStringLiteral("./QC0001.D01"))), BrantFileError);
    EXPECT_EQ(TestFiles::readBytes(s.path), source);
}

TEST(SegmentExport, ARecordingWithoutPacketsExportsOnlyRecords)
{
    TestFiles::TestDir dir;
    StreamWriter w;
    for (int i = 0; i < 10; ++i)
        w.record(1, 1, 50);
    RecordingSlot slot = LoadRecordingFile(dir.write(QStringLiteral("a.D01"), w.bytes()), true, QDateTime());
    const QString target = dir.path(QStringLiteral("SEG.DAT"));
    EXPECT_EQ(ExportSegment(slot, 3, 5, target), 3 * 3);
}

TEST(SegmentExport, AFailedWriteLeavesTheTargetAsItWas)
{
    Source s;
    const QString target = s.dir.path(QStringLiteral("SEG.DAT"));
    ExportSegment(s.slot, 4, 8, target);
    const QByteArray before = TestFiles::readBytes(target);
    {
        const TestFiles::ResourceLimit disk(RLIMIT_FSIZE, rlim_t(before.size() + 20));
        ASSERT_TRUE(disk.set());
        EXPECT_THROW(ExportSegment(s.slot, 4, 60, target), BrantFileError);
    }
    EXPECT_EQ(TestFiles::readBytes(target), before);
}

TEST(RangeMarks, StartAndEndGiveTheNominalLength)
{
    RangeMarks range;
    range.setStart(100);
    EXPECT_EQ(range.RangeState, 1);
    range.setEnd(40);
    EXPECT_EQ(range.RangeState, 2);
    EXPECT_DOUBLE_EQ(range.RangeLengthMm, 60 * 2.94);
    range.setStart(10);
    EXPECT_DOUBLE_EQ(range.RangeLengthMm, 30 * 2.94);
    range.clear();
    EXPECT_EQ(range.RangeState, 0);

    RecordingSlot slot;
    slot.ViewStart = 500;
    EXPECT_EQ(positionUnderPointer(slot, 1200, 1000), 700);
}

} // namespace

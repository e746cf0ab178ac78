// Loading recordings: sub-file table, marks, echo codes, reserved bytes, start
// points, the version warning, and refusing damaged files.

#include "TestStdFixtures.h"

#include "recording/StdFormat.h"
#include "recording/StdText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>

namespace {

using StdTest::indexValues;
using StdTest::packetValues;

const QString kVersionWarning =
    QStringLiteral("警告：数据版本与软件版本不对应，继续播放可能产生错误，请将仪器升级到相应版本！");

void expectSubFileAsBuilt(const mystdfile &file, int k, const SubFileImage &sub)
{
    SCOPED_TRACE("sub-file " + std::to_string(k));
    EXPECT_EQ(file.std_scandataindexs[k].m_PacketIndexCount, int32_t(sub.rowIndex.size()));
    EXPECT_EQ(file.std_scandataindexs[k].m_ImagePacketCount, int32_t(sub.packets.size()));
    EXPECT_EQ(file.std_scandataindexs[k].m_BackPacketIndexCount, int32_t(sub.backRowIndex.size()));
    EXPECT_EQ(file.std_scandataindexs[k].m_BackImagePacketCount, int32_t(sub.backPackets.size()));
    EXPECT_EQ(indexValues(file.std_packetindexs[k]), sub.rowIndex);
    EXPECT_EQ(indexValues(file.std_backpacketindexs[k]), sub.backRowIndex);
    EXPECT_EQ(packetValues(file.std_packets[k]), packetValues(sub.packets));
    EXPECT_EQ(packetValues(file.std_backpackets[k]), packetValues(sub.backPackets));
}

// Every row, event and area a loaded recording offers lies inside its arrays, and
// the readers that walk rows run without leaving them.
void expectReadersStayInside(mystdfile &file)
{
    for (int k = 0; k < file.std_filecount; ++k) {
        SCOPED_TRACE("sub-file " + std::to_string(k));
        file.SwitchFile(k);
        const auto packets = static_cast<int64_t>(file.std_packets[k].size());
        const int rows = file.std_scandataindexs[k].m_PacketIndexCount;
        for (int row = 0; row < rows; ++row) {
            const StdFormat::RowPackets r = file.rowPackets(k, row);
            if (!r.valid())
                continue;
            EXPECT_LT(r.head, packets);
            EXPECT_LE(r.echoEnd, packets);
            EXPECT_LE(r.recordEnd, packets);
        }
        for (const QPoint &event : file.std_RecordIndex[k]) {
            EXPECT_GE(event.y(), 0);
            EXPECT_LT(event.y(), packets);
        }
        EXPECT_EQ(file.arr_GainArea[k].size(), file.arr_Gain[k].size() + 1);
        EXPECT_EQ(file.arr_RailTypeArea[k].size(), file.arr_RailType[k].size());
        for (int row : {0, rows / 2, rows - 2, rows - 1}) {
            file.setRailType(row);
            file.GetGainPara(row);
            file.GetMileageByPacketindex(k, row);
        }
    }
}

TEST(StdLoad, FileAsTheInstrumentWroteItHasNoMarks)
{
    StdTest::StdFileDir dir;
    StdFileImage image;
    image.subFiles = {StdTest::scanRun("1.6.X", 12, 1), StdTest::scanRun("1.7.X", 9, 2)};
    const QByteArray bytes = image.build();
    const QString path = dir.write("run.std", bytes);

    const auto file = StdTest::loadStd(path);
    EXPECT_EQ(file->std_FilePath, path);
    EXPECT_TRUE(file->std_FileSaved);
    EXPECT_TRUE(file->loadWarnings.isEmpty());
    ASSERT_EQ(file->std_filecount, 2);
    const int64_t trailerStart = bytes.size() - 4 - 2 * 560;
    EXPECT_EQ(file->std_trailerStart, trailerStart);
    EXPECT_EQ(file->std_markPos, trailerStart);
    EXPECT_FALSE(file->std_Replayed);
    EXPECT_EQ(file->std_markcount, (std::vector<int32_t>{0, 0}));
    ASSERT_EQ(file->std_mark.size(), 2u);
    EXPECT_TRUE(file->std_mark[0].empty());
    EXPECT_TRUE(file->std_mark[1].empty());

    // "1.6.X" has no reserved bytes: 4172 + 16 + 4 x (12 + 2) rows + 6 x packets
    const uint32_t size0 = uint32_t(4172 + 16 + 4 * 14 + 6 * (image.subFiles[0].packets.size() + 3));
    EXPECT_EQ(file->std_win32finddata[0].nFileSizeLow, size0);
    EXPECT_EQ(file->std_position, (std::vector<int64_t>{0, size0}));
    EXPECT_EQ(stdText(file->std_win32finddata[1].cFileName, 260), "RUN2.STD");
    EXPECT_EQ(file->std_RecordCount, (std::vector<int32_t>{2, 1}));
    for (int k = 0; k < 2; ++k)
        expectSubFileAsBuilt(*file, k, image.subFiles[k]);
}

TEST(StdLoad, MarkSectionIsRead)
{
    StdTest::StdFileDir dir;
    StdFileImage image;
    image.subFiles = {StdTest::scanRun("1.7.X", 6, 1), StdTest::scanRun("1.7.X", 6, 2), StdTest::scanRun("1.7.X", 6, 3)};
    image.marks = std::vector<std::vector<TREMARK>>{{{u'?', 3}, {u'F', 1}, {u'!', 3}}, {}, {{u'x', 70000}}};
    const QByteArray bytes = image.build();

    const auto file = StdTest::loadStd(dir.write("marked.std", bytes));
    const int64_t trailerStart = bytes.size() - 4 - 3 * 560;
    EXPECT_TRUE(file->std_Replayed);
    EXPECT_EQ(file->std_trailerStart, trailerStart);
    EXPECT_EQ(file->std_markPos, trailerStart - (4 + 3 * 6) - 4 - (4 + 6));
    EXPECT_EQ(file->std_markcount, (std::vector<int32_t>{3, 0, 1}));
    ASSERT_EQ(file->std_mark.size(), 3u);
    ASSERT_EQ(file->std_mark[0].size(), 3u);
    EXPECT_EQ(file->std_mark[0][1].m_Cmd, u'F');
    EXPECT_EQ(int(file->std_mark[0][1].m_Pos), 1);
    EXPECT_EQ(int(file->std_mark[0][2].m_Pos), 3);
    ASSERT_EQ(file->std_mark[2].size(), 1u);
    EXPECT_EQ(file->std_mark[2][0].m_Cmd, u'x');
    EXPECT_EQ(int(file->std_mark[2][0].m_Pos), 70000);
    for (int k = 0; k < 3; ++k)
        expectSubFileAsBuilt(*file, k, image.subFiles[k]);
}

TEST(StdLoad, RawAndCharacterEchoCodesLoadAlike)
{
    StdTest::StdFileDir dir;
    StdFileImage image;
    image.subFiles = {StdTest::scanRun("1.7.X", 20, 5)};
    image.subFiles[0].backPackets.push_back(makePacket(u'9', 1, 2));
    const auto asCharacters = StdTest::loadStd(dir.write("chars.std", image));
    image.rawEchoCodes = true;
    const QByteArray rawBytes = image.build();
    const auto asRaw = StdTest::loadStd(dir.write("raw.std", rawBytes));

    // the raw file really holds 0..9: the first echo packet follows the first head
    const qsizetype firstEcho = StdTest::countsOffset(image.subFiles[0].para) + 16 + 4 * 20 + 4 * 2 + 6;
    ASSERT_EQ(image.subFiles[0].packets[1].m_Cmd, u'5');
    EXPECT_EQ(rawBytes.at(firstEcho), 5);

    EXPECT_EQ(packetValues(asRaw->std_packets[0]), packetValues(asCharacters->std_packets[0]));
    EXPECT_EQ(packetValues(asRaw->std_backpackets[0]), packetValues(asCharacters->std_backpackets[0]));
    expectSubFileAsBuilt(*asRaw, 0, image.subFiles[0]);
}

class ReservedBytesVariant : public testing::TestWithParam<const char *> {};

TEST_P(ReservedBytesVariant, LoadsTheSameRows)
{
    // The variant goes first: the sub-file after it is found only if its block was measured right.
    StdTest::StdFileDir dir;
    StdFileImage image;
    image.subFiles = {StdTest::scanRun(GetParam(), 15, 4), StdTest::scanRun("1.7.X", 8, 6)};
    const auto file = StdTest::loadStd(dir.write("variant.std", image));
    ASSERT_EQ(file->std_filecount, 2);
    EXPECT_EQ(stdText(file->std_systemparas[0].m_Version, 20), QString::fromUtf8(GetParam()));
    expectSubFileAsBuilt(*file, 0, image.subFiles[0]);
    expectSubFileAsBuilt(*file, 1, image.subFiles[1]);
}

INSTANTIATE_TEST_SUITE_P(Versions, ReservedBytesVariant,
                         testing::Values("1.6.X", "1.6.2", "1.7.X", "1.5.0", "A.B", "1", ""));

TEST(StdLoad, ReservedBytesAreFourBytesOfTheBlock)
{
    StdTest::StdFileDir dir;
    StdFileImage without, with;
    without.subFiles = {StdTest::scanRun("1.6.X", 10, 3)};
    with.subFiles = {StdTest::scanRun("1.6.2", 10, 3)};
    const auto a = StdTest::loadStd(dir.write("a.std", without));
    const auto b = StdTest::loadStd(dir.write("b.std", with));
    EXPECT_EQ(b->std_win32finddata[0].nFileSizeLow, a->std_win32finddata[0].nFileSizeLow + 4);
    EXPECT_EQ(packetValues(a->std_packets[0]), packetValues(b->std_packets[0]));
}

TEST(StdLoad, StartPointsAreHeldPlusOneHundred)
{
    StdTest::StdFileDir dir;
    StdFileImage image;
    image.subFiles = {StdTest::scanRun("1.7.X", 4, 1), StdTest::scanRun("1.7.X", 4, 2)};
    for (int c = 0; c < 9; ++c)
        image.subFiles[1].para.m_StartPoint[c] = 10 * c - 30;
    const auto file = StdTest::loadStd(dir.write("start.std", image));
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(int(file->std_systemparas[0].m_StartPoint[c]), 100) << "channel " << c;
        EXPECT_EQ(int(file->std_systemparas[1].m_StartPoint[c]), 70 + 10 * c) << "channel " << c;
    }
}

struct WarningCase {
    const char *first;
    const char *last;
    bool warned;
};

class VersionWarning : public testing::TestWithParam<WarningCase> {};

TEST_P(VersionWarning, OnlyForAnOldLastSubFile)
{
    const WarningCase &c = GetParam();
    StdTest::StdFileDir dir;
    StdFileImage image;
    image.subFiles = {StdTest::scanRun(c.first, 5, 1), StdTest::scanRun(c.last, 7, 2)};
    const auto file = StdTest::loadStd(dir.write("old.std", image));
    EXPECT_EQ(file->loadWarnings, c.warned ? QStringList{kVersionWarning} : QStringList{});
    // loading goes on after the warning
    expectSubFileAsBuilt(*file, 1, image.subFiles[1]);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionWarning,
                         testing::Values(WarningCase{"1.7.X", "1.3.0", true}, WarningCase{"1.3.0", "1.3.0", true},
                                         WarningCase{"1.7.X", "1.3.9", true}, WarningCase{"1.7.X", "0.9", true},
                                         WarningCase{"1.3.0", "1.7.X", false},
                                         WarningCase{"1.7.X", "1.4.0", false},
                                         WarningCase{"1.7.X", "A.B", false}));

TEST(StdLoad, SubFilesAreFoundThroughTheTrailerSizes)
{
    // The trailer names sub-file 0 as 10 bytes longer than its data: sub-file 1
    // starts after those 10 bytes.
    StdFileImage image;
    image.subFiles = {StdTest::scanRun("1.7.X", 6, 1), StdTest::scanRun("1.6.X", 6, 2), StdTest::scanRun("1.7.X", 3, 3)};
    QByteArray bytes = image.build();
    const qsizetype trailer = StdTest::trailerOffset(bytes);
    const int32_t size0 = StdTest::int32At(bytes, trailer + 32);
    const int32_t size1 = StdTest::int32At(bytes, trailer + 560 + 32);
    StdTest::setInt32At(bytes, trailer + 32, size0 + 10);
    bytes.insert(size0, QByteArray(10, '\x7f'));

    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write("gap.std", bytes));
    EXPECT_EQ(file->std_position, (std::vector<int64_t>{0, size0 + 10, size0 + 10 + size1}));
    EXPECT_FALSE(file->std_Replayed);
    for (int k = 0; k < 3; ++k)
        expectSubFileAsBuilt(*file, k, image.subFiles[k]);
}

class OverlongLastRow : public testing::TestWithParam<int> {};

TEST_P(OverlongLastRow, LoadsAndReadsOnlyItsOwnPackets)
{
    // The last row's head counts 4 records but only 1 is stored. What follows the
    // packet array is a mark section whose count doubles as a record code
    // ('M' 77 or 'a' 97): a reader that ran past the array would see that record.
    SubFileImage sub = StdTest::minimalSubFile();
    sub.addRow({makePacket(u'0', 5, 6)}, {makePacket(u'B')});
    sub.addRow({makePacket(u'1', 5, 6)});
    sub.addRow({makePacket(u'2', 5, 6)}, {makePacket(u'M', 7, 100)});
    sub.packets[sub.rowIndex.back()].m_Data2 = 4;
    StdFileImage image;
    image.subFiles = {sub};
    std::vector<TREMARK> marks;
    for (int i = 0; i < GetParam(); ++i)
        marks.push_back({u'?', i});
    image.marks = std::vector<std::vector<TREMARK>>{marks};

    const QByteArray bytes = image.build();
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write("overlong.std", bytes));
    TPACKET trap;
    std::memcpy(&trap, bytes.constData() + file->std_markPos, sizeof trap);
    ASSERT_EQ(int(trap.m_Cmd), GetParam());
    EXPECT_EQ(file->std_markcount, (std::vector<int32_t>{GetParam()}));
    EXPECT_EQ(file->std_packets[0].size(), 8u);
    EXPECT_EQ(file->GetMileageByPacketindex(0, 2), "7km,100m");
    EXPECT_EQ(file->std_RecordCount, (std::vector<int32_t>{1}));
    EXPECT_EQ(file->std_RecordIndex[0], (std::vector<QPoint>{QPoint(0, 2)}));
    EXPECT_EQ(file->arr_GainArea[0], (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(file->arr_Gain[0].size(), 1u);
    expectReadersStayInside(*file);

    // a cut ending at that row keeps the packets that exist and no more
    file->SwitchFile(0);
    file->CutStartPos = 1;
    file->CutEndPos = 2;
    const QString cutPath = dir.path("cut.std");
    file->SaveCutedStdFile(cutPath);
    const auto cut = StdTest::loadStd(cutPath);
    EXPECT_EQ(packetValues(cut->std_packets[0]),
              packetValues(std::span(sub.packets).subspan(sub.rowIndex[1])));
    EXPECT_EQ(cut->GetMileageByPacketindex(0, 1), "7km,100m");
}

INSTANTIATE_TEST_SUITE_P(RecordCodes, OverlongLastRow, testing::Values(int(u'M'), int(u'a')));

// A valid one-sub-file recording to damage, with the offsets of what the damage hits.
struct DamageBase {
    DamageBase()
    {
        image.subFiles = {StdTest::scanRun("1.7.X", 10, 1)};
        bytes = image.build();
        counts = StdTest::countsOffset(image.subFiles[0].para);
        trailer = StdTest::trailerOffset(bytes);
    }
    StdFileImage image;
    QByteArray bytes;
    qsizetype counts;
    qsizetype trailer;
};

QByteArray withInt32(QByteArray bytes, qsizetype offset, int32_t value)
{
    StdTest::setInt32At(bytes, offset, value);
    return bytes;
}

QByteArray twoSubFiles()
{
    StdFileImage image;
    image.subFiles = {StdTest::scanRun("1.7.X", 10, 1), StdTest::scanRun("1.6.X", 7, 2)};
    return image.build();
}

QByteArray withMarks(std::vector<std::vector<TREMARK>> marks, int subFiles = 1)
{
    StdFileImage image;
    for (int k = 0; k < subFiles; ++k)
        image.subFiles.push_back(StdTest::scanRun("1.7.X", 10, k + 1));
    image.marks = std::move(marks);
    return image.build();
}

// Bytes put between the last sub-file block and the trailer: a mark section too short to read.
QByteArray withBytesBeforeTrailer(QByteArray bytes, const QByteArray &section)
{
    bytes.insert(StdTest::trailerOffset(bytes), section);
    return bytes;
}

// The last sub-file block loses its last bytes, and its trailer size says so.
QByteArray shortenLastBlock(const StdFileImage &image, int bytesLost)
{
    QByteArray bytes = image.build();
    const qsizetype trailer = StdTest::trailerOffset(bytes);
    bytes.remove(trailer - bytesLost, bytesLost);
    const qsizetype lastRecord = trailer - bytesLost + 560 * qsizetype(image.subFiles.size() - 1);
    return withInt32(bytes, lastRecord + 32, StdTest::int32At(bytes, lastRecord + 32) - bytesLost);
}

struct DamageCase {
    const char *name;
    std::function<QByteArray()> bytes;
};

void PrintTo(const DamageCase &c, std::ostream *os)
{
    *os << c.name;
}

class DamagedFile : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFile, IsRefusedWithAMessage)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("damaged.std", GetParam().bytes());
    mystdfile file;
    try {
        file.LoadStdFile(path);
        ADD_FAILURE() << "a damaged file was loaded";
    } catch (const StdFileError &error) {
        EXPECT_FALSE(error.text().isEmpty());
    }
}

const DamageBase base;
const int64_t kHuge = 0x7fffffff;

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedFile,
    testing::Values(
        DamageCase{"empty", [] { return QByteArray(); }},
        DamageCase{"three_bytes", [] { return QByteArray("\x01\x00\x00", 3); }},
        DamageCase{"only_a_zero_count", [] { return QByteArray(4, '\0'); }},
        DamageCase{"count_zero", [] { return withInt32(base.bytes, base.bytes.size() - 4, 0); }},
        DamageCase{"count_negative", [] { return withInt32(base.bytes, base.bytes.size() - 4, -1); }},
        DamageCase{"count_most_negative", [] { return withInt32(base.bytes, base.bytes.size() - 4, INT32_MIN); }},
        DamageCase{"count_two_for_one_sub_file", [] { return withInt32(base.bytes, base.bytes.size() - 4, 2); }},
        DamageCase{"count_larger_than_file", [] { return withInt32(base.bytes, base.bytes.size() - 4, 1000000); }},
        DamageCase{"count_largest", [] { return withInt32(base.bytes, base.bytes.size() - 4, int32_t(kHuge)); }},
        DamageCase{"sub_file_size_past_trailer",
                   [] {
                       QByteArray b = twoSubFiles();
                       return withInt32(b, StdTest::trailerOffset(b) + 32, int32_t(0xfffffff0u));
                   }},
        DamageCase{"sub_file_starts_just_before_trailer",
                   [] {
                       QByteArray b = twoSubFiles();
                       return withInt32(b, StdTest::trailerOffset(b) + 32, int32_t(StdTest::trailerOffset(b) - 100));
                   }},
        DamageCase{"sub_file_starts_at_trailer",
                   [] {
                       QByteArray b = twoSubFiles();
                       return withInt32(b, StdTest::trailerOffset(b) + 32, int32_t(StdTest::trailerOffset(b)));
                   }},
        DamageCase{"row_count_negative", [] { return withInt32(base.bytes, base.counts, -1); }},
        DamageCase{"row_count_huge", [] { return withInt32(base.bytes, base.counts, int32_t(kHuge)); }},
        DamageCase{"packet_count_negative", [] { return withInt32(base.bytes, base.counts + 4, -6); }},
        DamageCase{"packet_count_huge", [] { return withInt32(base.bytes, base.counts + 4, int32_t(kHuge)); }},
        DamageCase{"packet_count_one_too_many",
                   [] {
                       return withInt32(base.bytes, base.counts + 4,
                                        int32_t(base.image.subFiles[0].packets.size() + 1));
                   }},
        DamageCase{"back_row_count_negative", [] { return withInt32(base.bytes, base.counts + 8, INT32_MIN); }},
        DamageCase{"back_packet_count_huge", [] { return withInt32(base.bytes, base.counts + 12, int32_t(kHuge)); }},
        DamageCase{"second_sub_file_packet_count_huge",
                   [] {
                       QByteArray b = twoSubFiles();
                       const int32_t size0 = StdTest::int32At(b, StdTest::trailerOffset(b) + 32);
                       const TSYSTEMPARA para = StdTest::minimalPara("1.6.X");
                       return withInt32(b, size0 + StdTest::countsOffset(para) + 4, 100000000);
                   }},
        DamageCase{"block_six_bytes_short", [] { return shortenLastBlock(base.image, 6); }},
        DamageCase{"packet_array_truncated",
                   [] {
                       StdFileImage image = base.image;
                       image.subFiles[0].backRowIndex.clear();
                       image.subFiles[0].backPackets.clear();
                       return shortenLastBlock(image, 9);
                   }},
        DamageCase{"mark_count_past_trailer", [] { return withInt32(withMarks({{{u'?', 1}}}), base.trailer, 5); }},
        DamageCase{"mark_count_negative", [] { return withInt32(withMarks({{{u'?', 1}}}), base.trailer, -1); }},
        DamageCase{"mark_count_huge", [] { return withInt32(withMarks({{{u'?', 1}}}), base.trailer, int32_t(kHuge)); }},
        DamageCase{"mark_section_of_two_bytes", [] { return withBytesBeforeTrailer(base.bytes, QByteArray(2, '\0')); }},
        DamageCase{"mark_section_missing_second_count",
                   [] { return withBytesBeforeTrailer(twoSubFiles(), QByteArray(4, '\0')); }},
        // The layout: blocks that overlap, positions that stay, marks that do not reach the trailer.
        DamageCase{"second_sub_file_inside_the_first",
                   [] {
                       QByteArray b = twoSubFiles();
                       const qsizetype size0 = StdTest::trailerOffset(b) + 32;
                       return withInt32(b, size0, StdTest::int32At(b, size0) - 6);
                   }},
        DamageCase{"second_sub_file_at_the_first", [] {
                       QByteArray b = twoSubFiles();
                       return withInt32(b, StdTest::trailerOffset(b) + 32, 0);
                   }},
        DamageCase{"byte_inserted_before_the_trailer",
                   [] {
                       QByteArray b = withMarks({{{u'?', 1}}, {{u'F', 2}}}, 2);
                       b.insert(StdTest::trailerOffset(b) - 3, '\x55');
                       return b;
                   }},
        DamageCase{"byte_inserted_into_the_trailer",
                   [] {
                       QByteArray b = withMarks({{{u'?', 1}}, {{u'F', 2}}}, 2);
                       b.insert(StdTest::trailerOffset(b) + 600, '\x55');
                       return b;
                   }},
        DamageCase{"bytes_after_the_mark_section",
                   [] { return withBytesBeforeTrailer(withMarks({{{u'?', 1}}}), QByteArray(6, '\0')); }}),
    [](const testing::TestParamInfo<DamageCase> &info) { return std::string(info.param.name); });

// Loads or is refused with StdFileError; a recording that loads can be read safely.
void loadOrRefuse(const StdTest::StdFileDir &dir, const QByteArray &bytes)
{
    const QString path = dir.write("probe.std", bytes);
    mystdfile file;
    try {
        file.LoadStdFile(path);
    } catch (const StdFileError &error) {
        EXPECT_FALSE(error.text().isEmpty());
        return;
    }
    expectReadersStayInside(file);
}

QByteArray markedRecording()
{
    StdFileImage image;
    image.subFiles = {StdTest::scanRun("1.6.X", 8, 1), StdTest::scanRun("1.7.X", 6, 2)};
    image.marks = std::vector<std::vector<TREMARK>>{{{u'?', 2}}, {{u'F', 5}, {u'!', 0}}};
    return image.build();
}

TEST(StdLoad, EveryTruncationLoadsOrIsRefused)
{
    StdTest::StdFileDir dir;
    const QByteArray whole = markedRecording();
    // a stride of 5 meets every alignment to the 4- and 6-byte records, from either end
    for (qsizetype length = 0; length < whole.size(); length += 5) {
        SCOPED_TRACE("first " + std::to_string(length) + " bytes");
        loadOrRefuse(dir, whole.left(length));
    }
    for (qsizetype length = 0; length < whole.size(); length += 5) {
        SCOPED_TRACE("last " + std::to_string(length) + " bytes");
        loadOrRefuse(dir, whole.right(length));
    }
}

TEST(StdLoad, CorruptedCountsAndIndexesLoadOrAreRefused)
{
    // Overwrite the words a loader trusts: counts, trailer sizes, the sub-file
    // count, row index entries and head packets, with values that hurt.
    StdFileImage image;
    image.subFiles = {StdTest::scanRun("1.7.X", 8, 1), StdTest::scanRun("1.7.X", 6, 2)};
    image.marks = std::vector<std::vector<TREMARK>>{{{u'?', 2}}, {{u'F', 5}}};
    const QByteArray whole = image.build();
    const qsizetype trailer = StdTest::trailerOffset(whole);
    const int32_t size0 = StdTest::int32At(whole, trailer + 32);
    std::vector<qsizetype> targets{whole.size() - 4, trailer + 32, trailer + 560 + 32};
    for (qsizetype block : {qsizetype(0), qsizetype(size0)}) {
        const qsizetype counts = block + StdTest::countsOffset(image.subFiles[0].para);
        for (int field = 0; field < 4; ++field)
            targets.push_back(counts + 4 * field);
        for (int row = 0; row < 6; ++row)
            targets.push_back(counts + 16 + 4 * row);
        const qsizetype packets = counts + 16 + 4 * (image.subFiles[block ? 1 : 0].rowIndex.size() + 2);
        for (int packet = 0; packet < 12; ++packet)
            targets.push_back(packets + 6 * packet + 2);
    }
    const std::vector<int32_t> values{0, 1, -1, 7, 0x7fff7fff, int32_t(0x80008000u), 1000, -1000, INT32_MAX, INT32_MIN};

    StdTest::StdFileDir dir;
    std::mt19937 random(20170524);
    for (int round = 0; round < 600; ++round) {
        QByteArray bytes = whole;
        const qsizetype at = targets[random() % targets.size()];
        const int32_t value = values[random() % values.size()];
        StdTest::setInt32At(bytes, at, value);
        SCOPED_TRACE("offset " + std::to_string(at) + " set to " + std::to_string(value));
        loadOrRefuse(dir, bytes);
    }
}

TEST(StdLoad, RefusedFileLeavesTheRecordingAsItWas)
{
    StdTest::StdFileDir dir;
    StdFileImage image;
    image.subFiles = {StdTest::scanRun("1.7.X", 12, 3)};
    const QString good = dir.write("good.std", image);
    const auto file = StdTest::loadStd(good);
    const QString damaged = dir.write("damaged.std", withInt32(base.bytes, base.counts + 4, int32_t(kHuge)));

    EXPECT_THROW(file->LoadStdFile(damaged), StdFileError);
    EXPECT_THROW(file->LoadStdFile(dir.path("missing.std")), StdFileError);
    EXPECT_EQ(file->std_FilePath, good);
    EXPECT_EQ(file->std_filecount, 1);
    EXPECT_TRUE(file->std_FileSaved);
    expectSubFileAsBuilt(*file, 0, image.subFiles[0]);
    EXPECT_EQ(packetValues(file->std_packet), packetValues(image.subFiles[0].packets));
}

} // namespace

// Whole save, fast save, marks and cuts: the bytes each writer produces.

#include "ResourceLimit.h"
#include "TestStdFixtures.h"

#include "common/AtomicFile.h"
#include "common/NativePaths.h"
#include "recording/StdText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <string>

namespace {

using StdTest::indexValues;
using StdTest::packetValues;
using Marks = std::vector<std::vector<TREMARK>>;

StdFileImage twoRuns(bool rawEchoCodes, std::optional<Marks> marks)
{
    StdFileImage image;
    image.subFiles = {StdTest::scanRun("1.6.X", 14, 1), StdTest::scanRun("1.7.X", 11, 2)};
    for (int c = 0; c < 9; ++c)
        image.subFiles[1].para.m_StartPoint[c] = 5 * c - 20;
    image.rawEchoCodes = rawEchoCodes;
    image.marks = std::move(marks);
    return image;
}

struct WholeSaveCase {
    bool rawEchoCodes;
    bool markSection;
};

class WholeSave : public testing::TestWithParam<WholeSaveCase> {};

TEST_P(WholeSave, WritesRawDigitsAndAMarkSectionAndRoundTrips)
{
    const WholeSaveCase &c = GetParam();
    const Marks marks{{{u'?', 4}, {u'!', 1}}, {}};
    StdTest::StdFileDir dir;
    const QString source = dir.write("source.std", twoRuns(c.rawEchoCodes, c.markSection ? std::optional(marks) : std::nullopt));
    const auto first = StdTest::loadStd(source);
    first->SaveStdFile(dir.path("first.std"), false);
    EXPECT_TRUE(first->std_FileSaved);

    // what the whole save must store: raw digits, the marks (zero counts when there were none)
    const QByteArray expected = twoRuns(true, c.markSection ? marks : Marks{{}, {}}).build();
    EXPECT_EQ(StdTest::readBytes(dir.path("first.std")), expected);

    const auto second = StdTest::loadStd(dir.path("first.std"));
    second->SaveStdFile(dir.path("second.std"), false);
    EXPECT_EQ(StdTest::readBytes(dir.path("second.std")), StdTest::readBytes(dir.path("first.std")));
    EXPECT_TRUE(second->std_Replayed);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(packetValues(second->std_packets[k]), packetValues(first->std_packets[k]));
        EXPECT_EQ(packetValues(second->std_backpackets[k]), packetValues(first->std_backpackets[k]));
        for (int ch = 0; ch < 9; ++ch)
            EXPECT_EQ(int(second->std_systemparas[k].m_StartPoint[ch]), int(first->std_systemparas[k].m_StartPoint[ch]));
    }
    EXPECT_EQ(int(second->std_systemparas[1].m_StartPoint[0]), 80);
    EXPECT_EQ(int(second->std_systemparas[1].m_StartPoint[8]), 120);
}

INSTANTIATE_TEST_SUITE_P(Sources, WholeSave,
                         testing::Values(WholeSaveCase{false, false}, WholeSaveCase{false, true},
                                         WholeSaveCase{true, false}, WholeSaveCase{true, true}));

TEST(StdSave, WholeSaveKeepsMarksAddedSinceLoading)
{
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write("source.std", twoRuns(false, std::nullopt)));
    file->SwitchFile(1);
    file->AddMark(u'F', 3);
    file->SaveStdFile(dir.path("copy.std"), false);
    EXPECT_TRUE(file->std_FileSaved);
    EXPECT_EQ(StdTest::readBytes(dir.path("copy.std")), twoRuns(true, Marks{{}, {{u'F', 3}}}).build());
}

TEST(StdSave, FastSaveAppendsMarksAndGrowsAsTheFormatSays)
{
    // Raw digits in the source: a fast save leaves the sub-file blocks exactly as they were.
    StdTest::StdFileDir dir;
    const QString path = dir.write("run.std", twoRuns(true, std::nullopt));
    const qsizetype instrumentSize = StdTest::readBytes(path).size();

    const auto file = StdTest::loadStd(path);
    file->AddMark(u'?', 5);
    EXPECT_FALSE(file->std_FileSaved);
    file->SaveStdFile(path, true);
    EXPECT_TRUE(file->std_FileSaved);
    QByteArray saved = StdTest::readBytes(path);
    EXPECT_EQ(saved.size(), instrumentSize + 4 * 2 + 6);
    EXPECT_EQ(saved, twoRuns(true, Marks{{{u'?', 5}}, {}}).build());

    const auto replayed = StdTest::loadStd(path);
    EXPECT_TRUE(replayed->std_Replayed);
    EXPECT_EQ(replayed->std_markcount, (std::vector<int32_t>{1, 0}));
    ASSERT_EQ(replayed->std_mark[0].size(), 1u);
    EXPECT_EQ(replayed->std_mark[0][0].m_Cmd, u'?');
    EXPECT_EQ(int(replayed->std_mark[0][0].m_Pos), 5);

    // a further mark, saved by the same recording object and by a reloaded one
    file->SwitchFile(1);
    file->AddMark(u'!', 2);
    file->SaveStdFile(path, true);
    saved = StdTest::readBytes(path);
    EXPECT_EQ(saved.size(), instrumentSize + 4 * 2 + 6 + 6);
    EXPECT_EQ(saved, twoRuns(true, Marks{{{u'?', 5}}, {{u'!', 2}}}).build());

    const auto again = StdTest::loadStd(path);
    again->AddMark(u'F', 0);
    again->SaveStdFile(path, true);
    saved = StdTest::readBytes(path);
    EXPECT_EQ(saved.size(), instrumentSize + 4 * 2 + 6 + 6 + 6);
    EXPECT_EQ(saved, twoRuns(true, Marks{{{u'?', 5}, {u'F', 0}}, {{u'!', 2}}}).build());

    // closing a replayed file without new marks leaves it as it was
    StdTest::loadStd(path)->SaveStdFile(path, true);
    EXPECT_EQ(StdTest::readBytes(path), saved);
}

TEST(StdSave, MarksStayUnsortedWithDuplicates)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("run.std", twoRuns(false, std::nullopt));
    const auto file = StdTest::loadStd(path);
    for (int pos : {9, 3, 9, 0})
        file->AddMark(u'F', pos);
    EXPECT_EQ(file->std_markcount, (std::vector<int32_t>{4, 0}));
    file->SaveStdFile(path, true);
    EXPECT_EQ(StdTest::readBytes(path), twoRuns(false, Marks{{{u'F', 9}, {u'F', 3}, {u'F', 9}, {u'F', 0}}, {}}).build());
}

TEST(StdSave, AddMarkWithNegativePositionChangesNothing)
{
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write("run.std", twoRuns(false, std::nullopt)));
    file->AddMark(u'?', -1);
    EXPECT_TRUE(file->std_FileSaved);
    EXPECT_EQ(file->std_markcount, (std::vector<int32_t>{0, 0}));
    EXPECT_TRUE(file->std_mark[0].empty());

    file->AddMark(u'?', 0);
    EXPECT_FALSE(file->std_FileSaved);
    file->AddMark(u'F', -7);
    EXPECT_FALSE(file->std_FileSaved);
    EXPECT_EQ(file->std_markcount, (std::vector<int32_t>{1, 0}));
    ASSERT_EQ(file->std_mark[0].size(), 1u);
    EXPECT_EQ(file->std_mark[0][0].m_Cmd, u'?');
}

// Loaded with a new mark and a cut range, so that every kind of save has work to do.
std::unique_ptr<mystdfile> withMarkAndCutRange(const QString &path)
{
    auto file = StdTest::loadStd(path);
    file->AddMark(u'?', 2);
    file->CutStartPos = 1;
    file->CutEndPos = 4;
    return file;
}

TEST(StdSave, WritesIntoAMissingFolderAreRefused)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("run.std", twoRuns(false, std::nullopt));
    const QByteArray original = StdTest::readBytes(path);
    const auto file = withMarkAndCutRange(path);
    const QString missing = dir.path("missing/out.std");

    EXPECT_THROW(file->SaveStdFile(missing, true), StdFileError);
    EXPECT_FALSE(file->std_FileSaved);
    EXPECT_THROW(file->SaveStdFile(missing, false), StdFileError);
    EXPECT_FALSE(file->std_FileSaved);
    EXPECT_THROW(file->SaveCutedStdFile(missing), StdFileError);
    EXPECT_THROW(file->SaveCutedMarkedlessStdFile(missing), StdFileError);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(StdTest::readBytes(path), original);
    EXPECT_EQ(file->std_markcount, (std::vector<int32_t>{1, 0}));
}

TEST(StdSave, FailedFastSaveLeavesTheFileUnchanged)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("run.std", twoRuns(false, std::nullopt));
    const QByteArray original = StdTest::readBytes(path);
    const auto file = StdTest::loadStd(path);
    file->AddMark(u'?', 2);

    const QString folder = QFileInfo(path).absolutePath();
    const auto folderPermissions = QFile::permissions(folder);
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool writable = QFileInfo(folder).isWritable() || QFileInfo(path).isWritable();
    if (!writable) {
        EXPECT_THROW(file->SaveStdFile(path, true), StdFileError);
    }
    QFile::setPermissions(folder, folderPermissions);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (writable)
        GTEST_SKIP() << "this user writes into read-only folders";
    EXPECT_EQ(StdTest::readBytes(path), original);
    EXPECT_FALSE(file->std_FileSaved);
}

// A disk that fills while the saves write: each of them fails with the file's
// path, and the recording on disk stays byte for byte as it was.
TEST(StdSave, FullDiskLeavesTheFileUnchanged)
{
    const struct {
        const char *name;
        void (*save)(mystdfile &, const QString &);
    } saves[] = {
        {"fast save", [](mystdfile &f, const QString &p) { f.SaveStdFile(p, true); }},
        {"whole save", [](mystdfile &f, const QString &p) { f.SaveStdFile(p, false); }},
        {"cut", [](mystdfile &f, const QString &p) { f.SaveCutedStdFile(p); }},
    };
    for (const auto &save : saves) {
        StdTest::StdFileDir dir;
        const QString path = dir.write("run.std", twoRuns(false, std::nullopt));
        const QByteArray original = StdTest::readBytes(path);
        const auto file = withMarkAndCutRange(path);
        try {
            const TestFiles::ResourceLimit disk(RLIMIT_FSIZE, rlim_t(original.size() / 8));
            ASSERT_TRUE(disk.set());
            save.save(*file, path);
            ADD_FAILURE() << save.name << ": no error";
        } catch (const StdFileError &error) {
            EXPECT_TRUE(error.text().contains(path)) << save.name << ": " << error.what();
        }
        EXPECT_EQ(StdTest::readBytes(path), original) << save.name;
        EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files), QStringList{QStringLiteral("run.std")})
            << save.name;
    }
}

// --- the file around the save ---

QStringList folderFiles(const QString &path)
{
    return QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Two copies of the program with the same recording open: the first save wins,
// the second is refused instead of writing over the first one's marks.
TEST(StdSave, SecondWriterIsRefusedAndTheFirstOnesMarksStay)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("run.std", twoRuns(false, std::nullopt));
    const auto first = StdTest::loadStd(path);
    const auto second = StdTest::loadStd(path);
    first->AddMark(u'?', 2);
    second->AddMark(u'F', 3);
    first->SaveStdFile(path, true);
    for (const bool fast : {true, false}) {
        try {
            second->SaveStdFile(path, fast);
            ADD_FAILURE() << "the second writer saved over the first";
        } catch (const StdFileError &error) {
            EXPECT_TRUE(error.text().contains(QStringLiteral("已被改动"))) << error.what();
        }
    }
    EXPECT_FALSE(second->std_FileSaved);
    const auto reread = StdTest::loadStd(path);
    ASSERT_EQ(reread->std_mark[0].size(), 1u);
    EXPECT_EQ(reread->std_mark[0][0].m_Cmd, u'?');
    EXPECT_EQ(folderFiles(path), QStringList{QStringLiteral("run.std")});
}

// A recording with a second name is written in place: both names keep showing
// one file, which holds the marks, and no helper file stays behind.
TEST(StdSave, HardLinkedRecordingKeepsItsLinks)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("run.std", twoRuns(false, std::nullopt));
    const QString other = dir.path("copy.std");
    ASSERT_TRUE(QFile::link(path, other) || ::link(qPrintable(path), qPrintable(other)) == 0);
    const auto file = StdTest::loadStd(path);
    file->AddMark(u'?', 2);
    file->SaveStdFile(path, true);
    file->AddMark(u'!', 4);
    file->SaveStdFile(path, true);

    EXPECT_EQ(StdTest::readBytes(other), StdTest::readBytes(path));
    EXPECT_EQ(StdTest::loadStd(other)->std_mark[0].size(), 2u);
    EXPECT_EQ(folderFiles(path), (QStringList{QStringLiteral("copy.std"), QStringLiteral("run.std")}));
}

TEST(StdSave, ReplacedRecordingKeepsModeAndGroup)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("run.std", twoRuns(false, std::nullopt));
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, mode));
    // Root may hand the file to any group; others keep theirs.
    const gid_t group = geteuid() == 0 ? 4321 : getegid();
    ASSERT_EQ(::chown(qPrintable(path), uid_t(-1), group), 0);

    const auto file = StdTest::loadStd(path);
    file->AddMark(u'?', 2);
    file->SaveStdFile(path, true);
    struct stat info;
    ASSERT_EQ(::stat(qPrintable(path), &info), 0);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(StdTest::loadStd(path)->std_mark[0].size(), 1u);
}

// The longest name the file system takes: marks, whole saves and cuts still work.
TEST(StdSave, LongestFileNameTakesMarksAndSaves)
{
    StdTest::StdFileDir dir;
    const QString name = QString(247, u'记').left(83) + QStringLiteral("aa.std");  // 83 × 3 + 6 = 255 bytes
    ASSERT_EQ(name.toUtf8().size(), 255);
    const QString path = dir.write(name, twoRuns(false, std::nullopt));
    const auto file = withMarkAndCutRange(path);
    file->SaveStdFile(path, true);
    file->SaveStdFile(path, false);
    const QString cut = dir.path(QString(251, u'c') + QStringLiteral(".std"));
    file->SaveCutedStdFile(cut);
    EXPECT_EQ(StdTest::loadStd(path)->std_mark[0].size(), 1u);
    EXPECT_EQ(StdTest::loadStd(cut)->std_filecount, 1);
}

// A name in the Chinese code page (no UTF-8), replaced and written in place:
// marks, whole saves and cuts work as for any name.
TEST(StdSave, NameInTheChineseCodePageTakesMarksAndSaves)
{
    StdTest::StdFileDir dir;
    const QByteArray folder = QFile::encodeName(dir.path(QString())) + "/";
    const QByteArray bytes = twoRuns(false, std::nullopt).build();
    const QString path = common::pathFromNative(folder + "\xb2\xe2\xca\xd4.std");  // "测试.std"
    {
        QFile out;
        ASSERT_TRUE(common::openFile(out, path, QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }
    const auto file = withMarkAndCutRange(path);
    file->SaveStdFile(path, true);
    const QString cut = common::pathFromNative(folder + "\xbc\xf4.std");
    file->SaveCutedStdFile(cut);
    EXPECT_EQ(StdTest::loadStd(path)->std_mark[0].size(), 1u);
    EXPECT_EQ(StdTest::loadStd(cut)->std_filecount, 1);

    ASSERT_EQ(::link(common::nativePath(path).constData(), (folder + "link.std").constData()), 0);
    file->AddMark(u'!', 3);
    file->SaveStdFile(path, true);
    EXPECT_EQ(StdTest::loadStd(dir.path("link.std"))->std_mark[0].size(), 2u);

    // Nothing left beside them; the toolkit cannot list nor remove such names.
    int entries = 0;
    for (const auto &entry : std::filesystem::directory_iterator(common::fileSystemPath(dir.path(QString())))) {
        ++entries;
        std::filesystem::remove(entry.path());
    }
    EXPECT_EQ(entries, 3);
}

// A temporary file left by a save that was killed goes at the next save of the
// same recording; those of other files stay.
TEST(StdSave, StaleTemporaryFileOfTheRecordingIsRemoved)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("run.std", twoRuns(false, std::nullopt));
    const QString stale = dir.write(QStringLiteral(".~%1-abc123.tmp").arg(common::fileTag(path)), "half a copy");
    const QString foreign = dir.write(QStringLiteral(".~%1-abc123.tmp").arg(common::fileTag(dir.path("other.std"))), "x");
    const auto file = StdTest::loadStd(path);
    file->AddMark(u'?', 2);
    file->SaveStdFile(path, true);
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_TRUE(QFileInfo::exists(foreign));
}

// In place and the disk full: the old tail is put back at once.
TEST(StdSave, FullDiskDuringAnInPlaceSaveLeavesTheFileUnchanged)
{
    StdTest::StdFileDir dir;
    const QString path = dir.write("run.std", twoRuns(false, Marks{{{u'?', 1}}, {}}));
    ASSERT_EQ(::link(qPrintable(path), qPrintable(dir.path("copy.std"))), 0);
    const QByteArray original = StdTest::readBytes(path);
    const auto file = StdTest::loadStd(path);
    for (int i = 0; i < 50; ++i)
        file->AddMark(u'F', i);
    try {
        const TestFiles::ResourceLimit disk(RLIMIT_FSIZE, rlim_t(original.size() + 10));
        ASSERT_TRUE(disk.set());
        file->SaveStdFile(path, true);
        ADD_FAILURE() << "no error";
    } catch (const StdFileError &error) {
        EXPECT_TRUE(error.text().contains(path)) << error.what();
    }
    EXPECT_EQ(StdTest::readBytes(path), original);
    EXPECT_EQ(folderFiles(path), (QStringList{QStringLiteral("copy.std"), QStringLiteral("run.std")}));
    EXPECT_FALSE(file->std_FileSaved);
}

// --- cuts ---

struct PlannedRow {
    char16_t head = u'@';
    std::vector<TPACKET> echoes;
    std::vector<TPACKET> records;
    bool repeat = false;  // names the row before it again
};

// 30 rows; row 16 repeats row 15; rows 11, 12, 14, 15 and 20 carry event records.
std::vector<PlannedRow> cutSourceRows()
{
    std::vector<PlannedRow> rows;
    for (int k = 0; k < 30; ++k) {
        if (k == 16) {
            rows.push_back({u'@', {}, {}, true});
            continue;
        }
        PlannedRow row{k % 2 ? u'#' : u'@', {}, {}};
        for (int e = 0; e < k % 3 + 1; ++e)
            row.echoes.push_back(makePacket(char16_t(u'0' + (k + 3 * e) % 10), int16_t(k), int16_t(k + e + 4)));
        if (k % 5 == 2)
            row.records.push_back(makePacket(u'M', 12, int16_t(100 + k)));
        rows.push_back(row);
    }
    rows[11].records = {makePacket(u'G')};
    rows[12].records = {makePacket(u'A'),       makePacket(u'M', 12, 24), makePacket(u'N', 2),
                        makePacket(u'O', 300, 600), makePacket(u'U', 1),      makePacket(u'a', 400),
                        makePacket(u'V'),       makePacket(u'L'),         makePacket(u'P'),
                        makePacket(u'Q'),       makePacket(u'T'),         makePacket(u'i', 380),
                        makePacket(u'B'),       makePacket(u'C')};
    rows[14].records = {makePacket(u'B'), makePacket(u'C'), makePacket(u'M', 12, 28)};
    rows[15].records = {makePacket(u'E'), makePacket(u'M', 12, 30)};
    rows[20].records = {makePacket(u'D', 7), makePacket(u'M', 13, 1)};
    return rows;
}

// The record codes a cut without event records leaves out.
const QString kEventCodes = QStringLiteral("ABCDEFGHIJKLNUV");

// Rows [begin, end) of the plan as a sub-file, optionally without instrument events.
SubFileImage subFileFrom(const SubFileImage &base, const std::vector<PlannedRow> &rows, int begin, int end,
                         bool dropEvents)
{
    SubFileImage sub;
    sub.para = base.para;
    sub.findData = base.findData;
    for (int k = begin; k < end; ++k) {
        if (rows[k].repeat) {
            sub.repeatLastRow();
            continue;
        }
        std::vector<TPACKET> records;
        for (const TPACKET &p : rows[k].records)
            if (!dropEvents || !kEventCodes.contains(QChar(p.m_Cmd)))
                records.push_back(p);
        sub.addRow(rows[k].echoes, records, rows[k].head);
    }
    return sub;
}

// Sub-file 1 of a marked recording with raw digits is cut; sub-file 0 is only there
// so that the cut has to take the current sub-file's trailer record.
StdFileImage cutSource()
{
    StdFileImage image;
    SubFileImage run = StdTest::scanRun("1.7.X", 30, 7);
    for (int c = 0; c < 9; ++c)
        run.para.m_StartPoint[c] = 3 * c + 1;
    image.subFiles = {StdTest::scanRun("1.6.X", 5, 1), subFileFrom(run, cutSourceRows(), 0, 30, false)};
    image.subFiles[1].backRowIndex = run.backRowIndex;
    image.subFiles[1].backPackets = run.backPackets;
    image.rawEchoCodes = true;
    image.marks = Marks{{{u'?', 1}}, {{u'F', 12}, {u'!', 18}}};
    return image;
}

struct CutCase {
    int start;
    int end;
    bool dropEvents;
};

void PrintTo(const CutCase &c, std::ostream *os)
{
    *os << c.start << ".." << c.end << (c.dropEvents ? " without events" : " with events");
}

class Cut : public testing::TestWithParam<CutCase> {};

TEST_P(Cut, WritesTheRowsAsAOneSubFileRecording)
{
    const CutCase &c = GetParam();
    const StdFileImage source = cutSource();
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write("source.std", source));
    file->SwitchFile(1);
    file->Cutting = true;
    file->CutStartPos = c.start;
    file->CutEndPos = c.end;
    const QString out = dir.path("cut.std");
    if (c.dropEvents)
        file->SaveCutedMarkedlessStdFile(out);
    else
        file->SaveCutedStdFile(out);
    EXPECT_TRUE(file->Cutting);
    EXPECT_EQ(file->cut_filecount, 1);
    EXPECT_EQ(file->cut_scandataindex.m_PacketIndexCount, c.end - c.start + 1);
    EXPECT_EQ(file->std_FilePath, dir.path("source.std"));

    // Characters for echo codes, the block as stored (start points as in the file),
    // the source sub-file's trailer record, count 1, no mark section, no back data.
    StdFileImage expected;
    expected.subFiles = {subFileFrom(source.subFiles[1], cutSourceRows(), c.start, c.end + 1, c.dropEvents)};
    const QByteArray bytes = StdTest::readBytes(out);
    EXPECT_EQ(bytes, expected.build());

    const auto cut = StdTest::loadStd(out);
    ASSERT_EQ(cut->std_filecount, 1);
    EXPECT_FALSE(cut->std_Replayed);
    EXPECT_EQ(cut->std_scandataindexs[0].m_PacketIndexCount, c.end - c.start + 1);
    EXPECT_EQ(int(cut->std_packetindexs[0][0]), 0);
    EXPECT_EQ(cut->std_win32finddata[0].nFileSizeLow, uint32_t(bytes.size() - 560 - 4));
    EXPECT_EQ(stdText(cut->std_win32finddata[0].cFileName, 260), "RUN7.STD");
    EXPECT_EQ(cut->std_win32finddata[0].ftLastWriteTime.dwLowDateTime, 0x33330007u);
    EXPECT_EQ(cut->std_win32finddata[0].ftCreationTime.dwHighDateTime, 0x01D2u);
    EXPECT_EQ(int(cut->std_systemparas[0].m_StartPoint[4]), 113);
}

INSTANTIATE_TEST_SUITE_P(Ranges, Cut,
                         testing::Values(CutCase{10, 20, false}, CutCase{10, 20, true}, CutCase{0, 29, false},
                                         CutCase{0, 29, true}, CutCase{15, 17, true}, CutCase{28, 29, false},
                                         CutCase{12, 14, true}));

TEST(StdCut, WithoutEventsKeepsMileageAndShiftsLaterRows)
{
    const StdFileImage source = cutSource();
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write("source.std", source));
    file->SwitchFile(1);
    file->CutStartPos = 13;
    file->CutEndPos = 16;
    file->SaveCutedMarkedlessStdFile(dir.path("cut.std"));
    const auto cut = StdTest::loadStd(dir.path("cut.std"));

    // row 14 of the source (row 1 of the cut) had 'B', 'C', 'M'; row 15 'E', 'M' and is named twice
    const std::span<const TPACKET> packets = cut->std_packets[0];
    const int head = cut->std_packetindexs[0][1];
    const int echoes = packets[head].m_Data1;
    EXPECT_EQ(int(packets[head].m_Data2), 1);
    EXPECT_EQ(packets[head + echoes + 1].m_Cmd, u'M');
    EXPECT_EQ(int(packets[head + echoes + 1].m_Data2), 28);
    const std::span<const TPacketIndex> sourceIndex = file->std_packetindexs[1];
    EXPECT_EQ(indexValues(cut->std_packetindexs[0]),
              (std::vector<int32_t>{0, sourceIndex[14] - sourceIndex[13], sourceIndex[15] - sourceIndex[13] - 2,
                                    sourceIndex[16] - sourceIndex[13] - 2}));
    EXPECT_EQ(cut->std_scandataindexs[0].m_ImagePacketCount,
              int32_t(file->std_packetindexs[1][17] - file->std_packetindexs[1][13] - 3));
}

TEST(StdCut, CarriesTheRailTypeInForce)
{
    SubFileImage sub = StdTest::minimalSubFile();
    sub.para.m_RailType = 4;
    for (int k = 0; k < 15; ++k) {
        std::vector<TPACKET> records;
        if (k == 5)
            records.push_back(makePacket(u'N', 2));
        sub.addRow({makePacket(u'1', 3, 4)}, records);
    }
    StdFileImage image;
    image.subFiles = {sub};
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write("auto.std", image));
    file->setRailType(8);
    ASSERT_EQ(int(file->std_systempara.m_RailType), 2);
    file->CutStartPos = 6;
    file->CutEndPos = 12;
    file->SaveCutedStdFile(dir.path("cut.std"));
    EXPECT_EQ(int(StdTest::loadStd(dir.path("cut.std"))->std_systemparas[0].m_RailType), 2);
    EXPECT_EQ(int(file->std_systemparas[0].m_RailType), 4);
}

} // namespace

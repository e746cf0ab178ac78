#include "recording/OpenRecording.h"
#include "recording/Packets.h"
#include "recording/ParamsInEffect.h"
#include "recording/RecordingErrors.h"
#include "recording/ReviewMarks.h"
#include "recording/StreamWriter.h"

#include "ResourceLimit.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

const QDateTime Opened(QDate(2026, 12, 10), QTime(9, 5, 7));
const QDateTime Later(QDate(2026, 12, 10), QTime(9, 47, 30));

// Parameters with firmware 720, then two mileage posts.
QByteArray recording()
{
    ParamBlock params;
    params.set(42, 2);
    params.set(43, 208);
    params.set(14, 1);
    params.set(20, 0x30);
    params.set(21, 0x39);
    StreamWriter w;
    w.packet(Code::Param, params.b, 1);
    for (int post = 0; post < 2; ++post) {
        for (int step = 0; step < 356; ++step)
            w.record(11, 1, 120);
        MileagePacket mileage;
        mileage.mileage = 123450 + 3570u * post;
        w.packet(Code::Mileage, mileage.bytes(), 1);
    }
    return w.bytes();
}

struct Session {
    TestFiles::TestDir dir;
    QString path;
    RecordingSlots panes;
    QString typedName = QStringLiteral("Li");
    int asked = 0;

    explicit Session(const QByteArray &bytes = recording(), const QString &name = QStringLiteral("QC0001.D01"))
        : path(dir.write(name, bytes))
    {
    }

    AskOperatorName askName()
    {
        return [this] {
            ++asked;
            return typedName;
        };
    }

    RecordingSlot &open(const QString &file)
    {
        OpenRecordingHooks hooks;
        hooks.chooseFile = [file] { return file; };
        hooks.askOperatorName = askName();
        hooks.now = [] { return Opened; };
        EXPECT_TRUE(OpenRecording(panes, 0, hooks));
        RecordingSlot &slot = panes.Slots[0];
        atPost(slot, 0);
        return slot;
    }

    static void atPost(RecordingSlot &slot, int post)
    {
        slot.CurrentPost = MileagePost::of(slot.MileageTable.at(size_t(post)));
        slot.ViewStart = slot.CurrentPost.position;
        TakeParamsInEffect(slot);
    }
};

TEST(ReviewMarks, TheFirstMarkMakesAReviewedCopyAndLaterOnesGoInPlace)
{
    Session s;
    const QByteArray original = TestFiles::readBytes(s.path);
    RecordingSlot &slot = s.open(s.path);
    ASSERT_EQ(slot.ReviewMarkCount(), 1);  // browse start
    EXPECT_EQ(slot.ReviewMarks[0].kind, ReviewMarkKind::BrowseStart);

    ASSERT_TRUE(AddReviewMark(slot, ReviewMarkKind::Suspect, Later, s.askName()));
    const QString copy = s.dir.path(QStringLiteral("QC0001.Li.2026年12月10日.090507.dat"));
    EXPECT_EQ(slot.FileName, copy);
    EXPECT_EQ(streamCaption(slot), QStringLiteral("B超探伤---") + copy);
    EXPECT_EQ(TestFiles::readBytes(s.path), original);
    EXPECT_EQ(TestFiles::readBytes(copy), original + trailerBytes("Li      ", slot.ReviewMarks));
    EXPECT_EQ(s.asked, 1);

    const ReviewMark &mark = slot.ReviewMarks[1];
    EXPECT_EQ(mark.position(), slot.MileageTable[0][0]);
    EXPECT_EQ(mark.mileage(), 123450u);
    EXPECT_EQ(mark.markYear(), 2026);
    EXPECT_EQ((std::array<int, 5>{mark.month, mark.day, mark.hour, mark.minute, mark.second}),
              (std::array<int, 5>{12, 10, 9, 47, 30}));
    EXPECT_EQ(mark.firmwareVersion(), 720);
    EXPECT_EQ((std::array<int, 3>{mark.params[2], mark.params[7], mark.params[8]}), (std::array<int, 3>{1, 0x30, 0x39}));

    Session::atPost(slot, 1);
    ASSERT_TRUE(AddReviewMark(slot, ReviewMarkKind::Watch4, Later, s.askName()));
    EXPECT_EQ(s.asked, 1);
    EXPECT_EQ(slot.FileName, copy);
    EXPECT_EQ(TestFiles::readBytes(copy), original + trailerBytes("Li      ", slot.ReviewMarks));
    ASSERT_TRUE(FinishReviewMarks(slot, Later, s.askName()));
    EXPECT_EQ(slot.ReviewMarks.back().kind, ReviewMarkKind::BrowseEnd);
    EXPECT_EQ(slot.ReviewMarks.back().viewingMinutes(), 42);

    // Opened again: the name and marks come back, and the next mark is written in place.
    s.panes = {};
    RecordingSlot &again = s.open(copy);
    EXPECT_EQ(again.ReplayerName, QByteArray("Li      "));
    ASSERT_EQ(again.ReviewMarkCount(), 5);
    EXPECT_EQ(again.ReviewMarks[2].kind, ReviewMarkKind::Watch4);
    ASSERT_TRUE(AddReviewMark(again, ReviewMarkKind::Read, Later, s.askName()));
    EXPECT_EQ(again.FileName, copy);
    EXPECT_EQ(s.asked, 1);
    EXPECT_EQ(QDir(s.dir.path(QString())).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(ReviewMarks, ADeletedMarkStaysDeleted)
{
    Session s;
    RecordingSlot &slot = s.open(s.path);
    AddReviewMark(slot, ReviewMarkKind::Read, Later, s.askName());
    AddReviewMark(slot, ReviewMarkKind::Suspect, Later, s.askName());
    const QString copy = slot.FileName;
    const qint64 before = QFileInfo(copy).size();

    EXPECT_FALSE(DeleteReviewMark(slot, 0));  // browse marks stay
    ASSERT_TRUE(DeleteReviewMark(slot, 1));
    SaveReviewMarks(slot, s.askName());
    EXPECT_EQ(QFileInfo(copy).size(), before - ReviewMarkLength);

    s.panes = {};
    RecordingSlot &again = s.open(copy);
    ASSERT_EQ(again.ReviewMarkCount(), 3);  // browse start, "怀疑", the new browse start
    EXPECT_EQ(again.ReviewMarks[1].kind, ReviewMarkKind::Suspect);
}

TEST(ReviewMarks, APostTakesTwoMarksAtMost)
{
    Session s;
    RecordingSlot &slot = s.open(s.path);
    EXPECT_TRUE(AddReviewMark(slot, ReviewMarkKind::Read, Later, s.askName()));
    EXPECT_TRUE(AddReviewMark(slot, ReviewMarkKind::Suspect, Later, s.askName()));
    EXPECT_FALSE(AddReviewMark(slot, ReviewMarkKind::Watch1, Later, s.askName()));
    EXPECT_EQ(slot.ReviewMarkCount(), 3);
    Session::atPost(slot, 1);
    EXPECT_TRUE(AddReviewMark(slot, ReviewMarkKind::Watch1, Later, s.askName()));
}

TEST(ReviewMarks, TheCopyDropsAPartialRecord)
{
    Session s(recording() + QByteArray("\x01\x02", 2));
    RecordingSlot &slot = s.open(s.path);
    AddReviewMark(slot, ReviewMarkKind::Read, Later, s.askName());
    const QByteArray copy = TestFiles::readBytes(slot.FileName);
    EXPECT_EQ(copy.left(recording().size() + 3), recording() + QByteArray("\x7A\x7B\x7C", 3));
    EXPECT_EQ(slot.ParsedBytes, recording().size());
}

TEST(ReviewMarks, OnlyABrowseStartIsNotWritten)
{
    Session s;
    RecordingSlot &slot = s.open(s.path);
    EXPECT_FALSE(FinishReviewMarks(slot, Later, s.askName()));
    EXPECT_EQ(s.asked, 0);
    EXPECT_EQ(QDir(s.dir.path(QString())).entryList(QDir::Files).size(), 1);
}

TEST(ReviewMarks, OpeningAnotherFileSavesThePendingBrowseMarks)
{
    Session s;
    const QString other = s.dir.write(QStringLiteral("QC0002.D01"), recording());
    RecordingSlot &slot = s.open(s.path);
    AddReviewMark(slot, ReviewMarkKind::Read, Later, s.askName());
    const QString copy = slot.FileName;
    s.open(other);
    const QByteArray stored = TestFiles::readBytes(copy);
    EXPECT_EQ(uint8_t(stored.at(stored.size() - ReviewMarkLength)), ReviewMarkKind::BrowseEnd);
}

TEST(ReviewMarks, ACancelledOpenKeepsTheSavedMarksAndTheRecording)
{
    Session s;
    RecordingSlot &slot = s.open(s.path);
    AddReviewMark(slot, ReviewMarkKind::Read, Later, s.askName());
    const QString copy = slot.FileName;
    OpenRecordingHooks hooks;
    hooks.askOperatorName = s.askName();
    hooks.now = [] { return Later; };
    EXPECT_FALSE(OpenRecording(s.panes, 0, hooks));
    EXPECT_EQ(s.panes.Slots[0].FileName, copy);
    EXPECT_EQ(s.panes.Slots[0].ReviewMarks.back().kind, ReviewMarkKind::BrowseEnd);
    const QByteArray stored = TestFiles::readBytes(copy);
    EXPECT_EQ(uint8_t(stored.at(stored.size() - ReviewMarkLength)), ReviewMarkKind::BrowseEnd);
}

TEST(ReviewMarks, MarksThatCannotBeSavedStopTheOpen)
{
    Session s;
    const QString other = s.dir.write(QStringLiteral("QC0002.D01"), recording());
    RecordingSlot &slot = s.open(s.path);
    slot.CurrentPost.position = 7;  // a second mark, kept in memory only
    slot.ReviewMarks.push_back(slot.ReviewMarks[0]);
    slot.FileName = s.dir.path(QStringLiteral("gone/QC0001.D01"));
    OpenRecordingHooks hooks;
    hooks.chooseFile = [other] { return other; };
    hooks.askOperatorName = s.askName();
    EXPECT_THROW(OpenRecording(s.panes, 0, hooks), BrantFileError);
    EXPECT_EQ(s.panes.Slots[0].FileName, s.dir.path(QStringLiteral("gone/QC0001.D01")));
    EXPECT_EQ(s.panes.Slots[0].ReviewMarkCount(), 2);
}

TEST(ReviewMarks, CopyNamesStayInTheFolderAndNeverReplaceAFile)
{
    EXPECT_EQ(ReviewedCopyName(QStringLiteral("/d/QC0001.D01"), "Li      ", Opened),
              QStringLiteral("/d/QC0001.Li.2026年12月10日.090507.dat"));
    EXPECT_EQ(ReviewedCopyName(QStringLiteral("/d.x/QC0001"), "a/b\\c   ", Opened),
              QStringLiteral("/d.x/QC0001.a_b_c.2026年12月10日.090507.dat"));
    EXPECT_EQ(ReviewedCopyName(QStringLiteral("/d/XD.1.DAT"), "        ", Opened),
              QStringLiteral("/d/XD..2026年12月10日.090507.dat"));

    Session s;
    s.dir.write(QStringLiteral("QC0001.Li.2026年12月10日.090507.dat"), "taken");
    RecordingSlot &slot = s.open(s.path);
    AddReviewMark(slot, ReviewMarkKind::Read, Later, s.askName());
    EXPECT_EQ(slot.FileName, s.dir.path(QStringLiteral("QC0001.Li.2026年12月10日.090507-2.dat")));
    EXPECT_EQ(TestFiles::readBytes(s.dir.path(QStringLiteral("QC0001.Li.2026年12月10日.090507.dat"))), "taken");
}

TEST(ReviewMarks, NamesAreStoredInEightBytesOfWholeCharacters)
{
    EXPECT_EQ(replayerNameBytes(QStringLiteral("  Li  ")), QByteArray("Li      "));
    EXPECT_EQ(replayerNameBytes(QStringLiteral("Wangxiaoming")), QByteArray("Wangxiao"));
    EXPECT_EQ(replayerNameBytes(QString()), QByteArray("        "));
    const QByteArray chinese = replayerNameBytes(QStringLiteral("欧阳明月光"));  // two bytes each
    EXPECT_EQ(chinese.size(), 8);
    EXPECT_EQ(replayerNameText(chinese), QStringLiteral("欧阳明月"));
    EXPECT_EQ(replayerNameText(replayerNameBytes(QStringLiteral("李大明"))).trimmed(), QStringLiteral("李大明"));
}

TEST(ReviewMarks, AFileChangedByAnotherWriterIsNotOverwritten)
{
    Session s;
    RecordingSlot &slot = s.open(s.path);
    AddReviewMark(slot, ReviewMarkKind::Read, Later, s.askName());
    QFile file(slot.FileName);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(QByteArray(ReviewMarkLength, '\x05'));
    file.close();
    const QByteArray changed = TestFiles::readBytes(slot.FileName);

    Session::atPost(slot, 1);
    EXPECT_THROW(AddReviewMark(slot, ReviewMarkKind::Suspect, Later, s.askName()), BrantFileError);
    EXPECT_EQ(TestFiles::readBytes(slot.FileName), changed);
}

TEST(ReviewMarks, AFullDiskLeavesEveryFileAsItWas)
{
    Session s;
    RecordingSlot &slot = s.open(s.path);
    {
        const TestFiles::ResourceLimit disk(RLIMIT_FSIZE, rlim_t(recording().size() / 2));
        ASSERT_TRUE(disk.set());
        EXPECT_THROW(AddReviewMark(slot, ReviewMarkKind::Read, Later, s.askName()), BrantFileError);
    }
    EXPECT_EQ(slot.FileName, s.path);
    EXPECT_FALSE(slot.HasTrailer);
    EXPECT_EQ(QDir(s.dir.path(QString())).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // The mark waits in memory and goes out with the next saving.
    SaveReviewMarks(slot, s.askName());
    const QString copy = slot.FileName;
    const QByteArray saved = TestFiles::readBytes(copy);
    {
        const TestFiles::ResourceLimit disk(RLIMIT_FSIZE, rlim_t(saved.size() + 10));
        ASSERT_TRUE(disk.set());
        Session::atPost(slot, 1);
        EXPECT_THROW(AddReviewMark(slot, ReviewMarkKind::Suspect, Later, s.askName()), BrantFileError);
    }
    EXPECT_EQ(TestFiles::readBytes(copy), saved);
}

TEST(ReviewMarks, FishScaleKeysArePostPositionsInHexadecimal)
{
    RecordingSlot slot;
    for (const auto &[kind, position] : {std::pair{3, 0x0001A2B3}, {1, 5}, {4, 0x0001A30F}, {200, 0}}) {
        ReviewMark mark;
        mark.kind = uint8_t(kind);
        for (int i = 0; i < 4; ++i)
            mark.postPosition[i] = uint8_t(uint32_t(position) >> (8 * i));
        slot.ReviewMarks.push_back(mark);
    }
    const std::vector<FishScaleRow> rows = BuildFishScaleTable(slot);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].key, QStringLiteral("&H0001A2B3"));
    EXPECT_EQ(rows[0].kind, 3);
    EXPECT_EQ(rows[1].key, QStringLiteral("&H0001A30F"));
    EXPECT_EQ(rows[1].kind, 4);
}

} // namespace

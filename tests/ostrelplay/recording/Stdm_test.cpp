// The .stdm recording video: loading and the player's list texts.

#include "TestStdmFixtures.h"

#include "recording/StdErrors.h"
#include "recording/StdmFile.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using StdTest::StdFileDir;
using StdTest::StdmRecord;
using StdTest::flatRecord;
using StdTest::setGates;

constexpr int RecordWithReserve = 40 + 4172 + 4 + 87000;
constexpr int RecordWithoutReserve = 40 + 4172 + 87000;

// Three records: a forward 70° channel, a back 70° channel stored without the reserved
// bytes, and the 0° channel with three gates. Gate 1 of the first spans columns 105 .. 210.
QByteArray threeRecords()
{
    StdmRecord first = flatRecord(0);
    first.para.m_Gain[1][0] = 45.5f;
    first.para.m_DeltaGain[1][0] = 5.3f;
    setGates(first.para, 0, 100, 100, 300, 50, 0, 0);
    first.movie->m_Frames[10].m_Trace[150] = 99;  // 300 above the base line
    first.movie->m_Frames[12].m_Trace[210] = 49;  // last column of the gate: 350, 87.72%
    first.movie->m_Frames[20].m_Trace[104] = 0;   // just before the gate
    first.movie->m_Frames[20].m_Trace[211] = 0;   // just after it
    first.movie->m_Frames[30].m_Trace[320] = 0;   // in gate 2, which a 70° channel does not use

    StdmRecord second = flatRecord(6, QStringLiteral("1.6.X"));
    second.para.m_Gain[1][6] = 40.0f;
    setGates(second.para, 6, 0, 400, 0, 0, 0, 0);
    second.movie->m_Frames[49].m_Trace[419] = 339;

    StdmRecord third = flatRecord(5);
    third.para.m_Gain[1][5] = 38.0f;
    third.para.m_DeltaGain[1][5] = -2.5f;
    setGates(third.para, 5, 0, 10, 100, 10, 300, 50);
    third.movie->m_Frames[0].m_Trace[350] = 199;  // gate 3 covers 315 .. 367: 50.13%

    return first.image() + second.image() + third.image();
}

std::unique_ptr<mystdmfile> load(const QString &path)
{
    auto file = std::make_unique<mystdmfile>();
    file->LoadStdmFile(path);
    return file;
}

std::vector<std::array<QString, 4>> rowTexts(const mystdmfile &file)
{
    std::vector<std::array<QString, 4>> texts;
    for (const StdmListRow &row : stdmListRows(file))
        texts.push_back({row.number, row.channel, row.db, row.amp});
    return texts;
}

TEST(StdmFile, ListsEachRecordWithChannelSensitivityAndHighestAmplitudeInItsGates)
{
    StdFileDir dir;
    const QByteArray bytes = threeRecords();
    ASSERT_EQ(bytes.size(), 2 * RecordWithReserve + RecordWithoutReserve);
    const auto file = load(dir.write(QStringLiteral("three.stdm"), bytes));

    EXPECT_EQ(file->stdm_filecount, 3);
    const std::vector<std::array<QString, 4>> expected{
        {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("45.5+5.3"), QStringLiteral("87.72%")},
        {QStringLiteral("2"), QStringLiteral("1A"), QStringLiteral("40+0"), QStringLiteral("15.04%")},
        {QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("38+-2.5"), QStringLiteral("50.13%")},
    };
    EXPECT_EQ(rowTexts(*file), expected);
    EXPECT_EQ(stdmComboTexts(*file), (QStringList{QStringLiteral("文件1"), QStringLiteral("文件2"), QStringLiteral("文件3")}));
}

TEST(StdmFile, ChannelTexts)
{
    const std::vector<std::pair<int, QString>> cases{
        {0, QStringLiteral("1")}, {5, QStringLiteral("6")}, {6, QStringLiteral("1A")},
        {8, QStringLiteral("3A")}, {9, QString()}, {-1, QString()},
    };
    for (const auto &[ch, text] : cases)
        EXPECT_EQ(stdmChannelText(ch), text) << ch;
}

TEST(StdmFile, ARecordNamingNoChannelHasNoSensitivityAndNoAmplitude)
{
    StdFileDir dir;
    StdmRecord record = flatRecord(9);
    record.movie->m_Frames[0].m_Trace[100] = 0;
    const auto file = load(dir.write(QStringLiteral("lost.stdm"), record.image()));
    EXPECT_EQ(rowTexts(*file), (std::vector<std::array<QString, 4>>{{QStringLiteral("1"), QString(), QString(), QStringLiteral("0.00%")}}));
}

TEST(StdmFile, ShortLastRecordIsKeptWithItsMissingBytesZero)
{
    StdFileDir dir;
    StdmRecord last = flatRecord(3);
    last.movie->m_Frames[0].m_SoundPath = 12.5f;
    // The file ends inside the second frame of the last record.
    const QByteArray bytes = threeRecords() + last.image().left(RecordWithReserve - 87000 + 1740 + 100);
    const auto file = load(dir.write(QStringLiteral("short.stdm"), bytes));

    ASSERT_EQ(file->stdm_filecount, 4);
    EXPECT_EQ(file->stdm_systemparas[3].m_AutoAmpl, 3);
    EXPECT_EQ(file->stdm_moviedatas[3].m_Frames[0].m_SoundPath, 12.5f);
    EXPECT_EQ(file->stdm_moviedatas[3].m_Frames[0].m_Trace[419], 399);
    EXPECT_EQ(file->stdm_moviedatas[3].m_Frames[1].m_Trace[100], 0);
    EXPECT_EQ(file->stdm_moviedatas[3].m_Frames[49].m_Trace[0], 0);
    EXPECT_EQ(stdmListRows(*file).size(), 4u);
}

// A file cut inside the index or parameters of a later record: the whole records
// before it are listed, and the warning names the damaged one.
TEST(StdmFile, RecordsBeforeADamagedTailAreKept)
{
    StdFileDir dir;
    const QByteArray good = threeRecords();
    for (const qsizetype cut : {qsizetype(RecordWithReserve + 30), qsizetype(RecordWithReserve + 40 + 2000)}) {
        const auto file = load(dir.write(QStringLiteral("tail.stdm"), good.left(cut)));
        ASSERT_EQ(file->stdm_filecount, 1) << cut;
        EXPECT_EQ(stdmListRows(*file).size(), 1u);
        EXPECT_TRUE(file->loadWarning.contains(QStringLiteral("第 2 个记录"))) << file->loadWarning.toStdString();
    }
    EXPECT_TRUE(load(dir.write(QStringLiteral("whole.stdm"), good))->loadWarning.isEmpty());
}

TEST(StdmFile, DamagedFilesAreRefusedAndTheLoadedFileStays)
{
    StdFileDir dir;
    const QByteArray good = threeRecords();
    mystdmfile file;
    file.LoadStdmFile(dir.write(QStringLiteral("good.stdm"), good));

    struct Damaged {
        QString name;
        QByteArray bytes;
        QString said;  // what the message names
    };
    const std::vector<Damaged> damaged{
        {QStringLiteral("empty.stdm"), QByteArray(), QStringLiteral("没有录像记录")},
        {QStringLiteral("index-only.stdm"), good.left(30), QStringLiteral("第 1 个记录")},
        {QStringLiteral("cut-parameters.stdm"), good.left(2000), QStringLiteral("第 1 个记录")},
    };
    for (const Damaged &d : damaged) {
        try {
            file.LoadStdmFile(dir.write(d.name, d.bytes));
            ADD_FAILURE() << d.name.toStdString() << " was accepted";
        } catch (const StdFileError &e) {
            EXPECT_TRUE(e.text().contains(d.said)) << e.text().toStdString();
        }
        EXPECT_EQ(file.stdm_filecount, 3);
        EXPECT_EQ(file.stdm_channel.size(), 3);
    }
    EXPECT_THROW(file.LoadStdmFile(dir.path(QStringLiteral("missing.stdm"))), StdFileError);
}

} // namespace

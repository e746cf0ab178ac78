// "MoveArray.txt": offsets chosen by serial number and selection, one new row per new
// instrument, stored offsets surviving a save, and damaged files refused whole.

#include "recording/OffsetTable.h"

#include "common/UserError.h"

#include "ResourceLimit.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

constexpr ChannelValues Mine{10, -20, 30, -40, 50, -60, 70, -80, 90};

TEST(OffsetTable, AFirstSerialAddsOneRowWithTheDefaultsAndIsSaved)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("MoveArray.txt");
    LoadedOffsetTable loaded = LoadOffsetTable(path);
    EXPECT_EQ(loaded.state, ListFileState::Missing);
    OffsetTable &table = loaded.table;

    ChannelValues offsets = Mine;
    EXPECT_TRUE(SelectChannelOffsets(table, 1234567, 2, offsets));
    EXPECT_EQ(offsets, DefaultChannelOffsets);
    ASSERT_EQ(table.Rows.size(), 1u);
    SaveOffsetTable(path, table);
    EXPECT_FALSE(table.Unsaved);

    const QString row =
        QStringLiteral("1234567") + QStringLiteral(",-176,-97,-277,-5,-242,-307,-251,-31,-132").repeated(4);
    EXPECT_EQ(QString::fromUtf8(TestFiles::readBytes(path)).trimmed(), row);

    offsets = Mine;
    EXPECT_FALSE(SelectChannelOffsets(table, 1234567, 3, offsets)) << "a known serial asks for no save";
    EXPECT_EQ(table.Rows.size(), 1u);
    EXPECT_EQ(offsets, DefaultChannelOffsets);
    EXPECT_FALSE(OffsetSaveDue(table));
}

TEST(OffsetTable, StoredOffsetsComeBackAfterSaveAndLoad)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("MoveArray.txt");
    OffsetTable table;
    ChannelValues offsets{};
    SelectChannelOffsets(table, 42, 0, offsets);
    SelectChannelOffsets(table, 7000001, 0, offsets);
    StoreChannelOffsets(table, 7000001, 3, Mine);
    StoreChannelOffsets(table, 42, 0, Mine);  // selection 0 stores nothing
    EXPECT_TRUE(OffsetSaveDue(table));
    SaveOffsetTable(path, table);

    LoadedOffsetTable loaded = LoadOffsetTable(path);
    ASSERT_EQ(loaded.state, ListFileState::Loaded) << loaded.message.toStdString();
    ASSERT_EQ(loaded.table.Rows.size(), 2u);
    for (const int selection : {1, 2, 4}) {
        SelectChannelOffsets(loaded.table, 7000001, selection, offsets);
        EXPECT_EQ(offsets, DefaultChannelOffsets) << selection;
    }
    SelectChannelOffsets(loaded.table, 7000001, 3, offsets);
    EXPECT_EQ(offsets, Mine);
    SelectChannelOffsets(loaded.table, 42, 3, offsets);
    EXPECT_EQ(offsets, DefaultChannelOffsets);

    offsets = Mine;
    SelectChannelOffsets(loaded.table, 42, 0, offsets);
    EXPECT_EQ(offsets, Mine) << "selection 0 keeps the offsets in effect";
}

TEST(OffsetTable, HandEditedFileWithBlankLinesAndOffsetsOutOfRange)
{
    TestFiles::TestDir dir;
    const QString path =
        dir.write("MoveArray.txt", QByteArray("\r\n 99 , 600") + QByteArray(",0").repeated(34) + ",-501\r\n\r\n");
    LoadedOffsetTable loaded = LoadOffsetTable(path);
    ASSERT_EQ(loaded.state, ListFileState::Loaded) << loaded.message.toStdString();
    ASSERT_EQ(loaded.table.Rows.size(), 1u);
    EXPECT_EQ(loaded.table.Rows[0].SerialKey, 99);
    EXPECT_EQ(loaded.table.Rows[0].Groups[0][0], 500);
    EXPECT_EQ(loaded.table.Rows[0].Groups[3][8], -500);
}

// A damaged file is refused whole: no row of it is used, and it is not replaced by
// the save a new serial asks for, only once the user changes an offset.
TEST(OffsetTable, DamagedFileIsRefusedAndKeptUntilTheUserChangesAnOffset)
{
    const QByteArray good = QByteArray("5") + QByteArray(",1").repeated(36) + "\n";
    const struct {
        const char *name;
        QByteArray bytes;
        const char *message;
    } cases[] = {
        {"short row", good + "6,1,2\n", "第 2 行只有 3 项，应有 37 项"},
        {"long row", good + "6" + QByteArray(",1").repeated(38) + "\n", "第 2 行多出 2 项"},
        {"text in a number field", good + "6" + QByteArray(",1").repeated(20) + ",abc" + QByteArray(",1").repeated(15),
         "第 2 行第 22 项：“abc”不是数字"},
        {"string field", good + "\"6\"" + QByteArray(",1").repeated(36), "第 2 行第 1 项：应为整数，却是文字“6”"},
        {"truncated in a quote", good + "6,\"", "第 2 行第 2 项：引号没有结束"},
    };
    for (const auto &c : cases) {
        TestFiles::TestDir dir;
        const QString path = dir.write("MoveArray.txt", c.bytes);
        LoadedOffsetTable loaded = LoadOffsetTable(path);
        EXPECT_EQ(loaded.state, ListFileState::Damaged) << c.name;
        EXPECT_TRUE(loaded.message.contains(QString::fromUtf8(c.message)))
            << c.name << ": " << loaded.message.toStdString();
        EXPECT_TRUE(loaded.message.contains(path)) << c.name;
        EXPECT_TRUE(loaded.table.Rows.empty()) << c.name;

        OffsetTable &table = loaded.table;
        ChannelValues offsets{};
        EXPECT_FALSE(SelectChannelOffsets(table, 5, 1, offsets)) << c.name;
        EXPECT_EQ(offsets, DefaultChannelOffsets) << c.name;
        EXPECT_FALSE(OffsetSaveDue(table)) << c.name;
        EXPECT_EQ(TestFiles::readBytes(path), c.bytes) << c.name;

        StoreChannelOffsets(table, 5, 1, Mine);
        EXPECT_TRUE(OffsetSaveDue(table)) << c.name;
    }
}

TEST(OffsetTable, FailedWriteThrowsAndLeavesTheOldFile)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("MoveArray.txt");
    OffsetTable table;
    ChannelValues offsets{};
    SelectChannelOffsets(table, 1, 0, offsets);
    SaveOffsetTable(path, table);
    const QByteArray before = TestFiles::readBytes(path);
    for (int64_t key = 2; key < 10; ++key)
        SelectChannelOffsets(table, key, 0, offsets);
    try {
        const TestFiles::ResourceLimit disk(RLIMIT_FSIZE, before.size());
        ASSERT_TRUE(disk.set());
        SaveOffsetTable(path, table);
        ADD_FAILURE() << "no error from a write past the size limit";
    } catch (const common::UserError &error) {
        EXPECT_TRUE(error.text().contains(path)) << error.what();
    }
    EXPECT_TRUE(table.Unsaved);
    EXPECT_EQ(TestFiles::readBytes(path), before);
    EXPECT_EQ(QDir(dir.path(QString())).entryList(QDir::Files), QStringList{"MoveArray.txt"});
}

} // namespace

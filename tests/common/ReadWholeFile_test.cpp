// Whole-file reads: every byte of files small and large (huge-page buffers start
// at 4 MiB), and failures that name the file and the system's reason: missing,
// a folder, too large for the memory.

#include "ResourceLimit.h"
#include "TestFiles.h"

#include "common/FileError.h"
#include "common/ReadWholeFile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray pattern(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

TEST(ReadWholeFile, ReadsEveryByte)
{
    TestFiles::TestDir dir;
    for (const qsizetype size : {qsizetype(0), qsizetype(1), qsizetype(65537), qsizetype(5) << 20}) {
        const QByteArray written = pattern(size);
        const QString path = dir.write(QStringLiteral("f%1.bin").arg(size), written);
        const common::FileBuffer read = common::readWholeFile(path);
        ASSERT_EQ(read.size(), size_t(size));
        EXPECT_EQ(QByteArray::fromRawData(read.data(), qsizetype(read.size())), written) << size;
    }
}

TEST(ReadWholeFile, MissingFileNamesPathAndReason)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("absent.std");
    for (const auto &[kind, opening] : {std::pair{QString(), QStringLiteral("无法打开文件 ")},
                                        std::pair{QStringLiteral("录像文件"), QStringLiteral("无法打开录像文件 ")}}) {
        try {
            kind.isEmpty() ? common::readWholeFile(path) : common::readWholeFile(path, kind);
            FAIL() << "no error for a missing file";
        } catch (const common::FileError &error) {
            EXPECT_TRUE(error.text().startsWith(opening + path + QStringLiteral("："))) << error.what();
            EXPECT_EQ(error.path(), path);
            EXPECT_FALSE(error.reason().isEmpty());
            EXPECT_TRUE(error.text().endsWith(error.reason()));
        }
    }
}

TEST(ReadWholeFile, FolderIsRefusedWithItsPath)
{
    TestFiles::TestDir dir;
    const QString folder = dir.path("sub");
    ASSERT_TRUE(QDir().mkpath(folder));
    try {
        common::readWholeFile(folder);
        FAIL() << "a folder was read as a file";
    } catch (const common::FileError &error) {
        EXPECT_TRUE(error.text().contains(folder)) << error.what();
    }
}

// The address space this process uses now, from /proc; 0 when unknown.
rlim_t addressSpaceInUse()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            return rlim_t(line.mid(7).trimmed().split(' ').first().toULongLong()) * 1024;
    return 0;
}

TEST(ReadWholeFile, FileLargerThanTheMemoryIsReported)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("huge.std");
    QFile sparse(path);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(1) << 40));
    sparse.close();
    const rlim_t inUse = addressSpaceInUse();
    ASSERT_GT(inUse, 0u);
    try {
        const TestFiles::ResourceLimit memory(RLIMIT_AS, inUse + (rlim_t(1) << 30));
        ASSERT_TRUE(memory.set());
        common::readWholeFile(path);
        ADD_FAILURE() << "a terabyte was read";
    } catch (const common::FileError &error) {
        EXPECT_TRUE(error.text().startsWith(QStringLiteral("读取文件 ") + path + QStringLiteral(" 失败："))) << error.what();
    }
}

} // namespace

// Atomic replacement: the new content in place after the commit, and on every
// failure (no folder, a write refused, the last buffered bytes refused at the
// flush, no commit at all) the old file byte for byte as it was and an error
// naming the path.

#include "ResourceLimit.h"
#include "TestFiles.h"

#include "common/AtomicFile.h"
#include "common/FileError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using TestFiles::readBytes;

const QByteArray kOriginal = QByteArray("the recording as it was\n").repeated(100);

QStringList folderEntries(const TestFiles::TestDir &dir)
{
    return QDir(dir.path(QString())).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

TEST(AtomicFile, CommitReplacesTheContent)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("data.std", kOriginal);
    common::AtomicFile file(path);
    file.write(QByteArray("new "));
    file.device().write("content");
    EXPECT_EQ(readBytes(path), kOriginal);
    file.commit();
    EXPECT_EQ(readBytes(path), QByteArray("new content"));
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("data.std")});
}

TEST(AtomicFile, FailedWritesLeaveTheOriginalAndNameThePath)
{
    // 1000 bytes stay in the device's buffer until the flush; a megabyte is
    // refused by the write itself.
    for (const qsizetype size : {qsizetype(1000), qsizetype(1) << 20}) {
        TestFiles::TestDir dir;
        const QString path = dir.write("data.std", kOriginal);
        const QByteArray content(size, 'x');
        try {
            const TestFiles::ResourceLimit limit(RLIMIT_FSIZE, 512);
            ASSERT_TRUE(limit.set());
            common::writeFileAtomically(path, content);
            ADD_FAILURE() << size << " bytes written past the size limit";
        } catch (const common::FileError &error) {
            EXPECT_EQ(error.path(), path);
            EXPECT_TRUE(error.text().contains(path)) << error.what();
            EXPECT_FALSE(error.reason().isEmpty());
        }
        EXPECT_EQ(readBytes(path), kOriginal) << size;
        EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("data.std")}) << size;
    }
}

TEST(AtomicFile, NoCommitLeavesTheOriginal)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("data.std", kOriginal);
    {
        common::AtomicFile file(path);
        file.write(QByteArray("half written"));
    }
    EXPECT_EQ(readBytes(path), kOriginal);
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("data.std")});
}

TEST(AtomicFile, MissingFolderIsReportedAtTheStart)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("no-folder/data.std");
    try {
        common::AtomicFile file(path);
        FAIL() << "a file was started in a missing folder";
    } catch (const common::FileError &error) {
        EXPECT_TRUE(error.text().startsWith(QStringLiteral("无法写入文件 ") + path)) << error.what();
    }
    EXPECT_FALSE(QFile::exists(path));
}

// A second writer of the same file waits for the first; one that waits too long
// is refused, and the first one's content stands.
TEST(AtomicFile, WritersOfOneFileTakeTurns)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("data.std", kOriginal);
    {
        common::AtomicFile first(path);
        first.write(QByteArray("first"));
        try {
            common::AtomicFile second(path, {}, 50);
            FAIL() << "two writers at once";
        } catch (const common::FileError &error) {
            EXPECT_TRUE(error.text().contains(QStringLiteral("另一个程序"))) << error.what();
        }
        first.commit();
    }
    EXPECT_EQ(readBytes(path), QByteArray("first"));
    common::writeFileAtomically(path, QByteArray("second"));
    EXPECT_EQ(readBytes(path), QByteArray("second"));
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("data.std")});
}

// A writer killed right after making its lock file leaves it empty: the next writer
// takes it over instead of waiting for it to grow old.
TEST(AtomicFile, AnEmptyLockOfADeadWriterIsTakenOver)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("data.std", kOriginal);
    const QString lock = dir.write(QStringLiteral(".~%1.lck").arg(common::fileTag(path)), QByteArray());
    QFile stale(lock);
    ASSERT_TRUE(stale.open(QIODevice::ReadWrite));
    ASSERT_TRUE(stale.setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime));
    stale.close();
    common::AtomicFile file(path, {}, 2000);
    file.write(QByteArray("after"));
    file.commit();
    EXPECT_EQ(readBytes(path), QByteArray("after"));
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("data.std")});
}

// Libraries that write by file name get the temporary file's name.
TEST(AtomicFile, WriterByNameReplacesTheFileAtTheCommit)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("book.xls", kOriginal);
    common::AtomicFile file(path);
    const QString temporary = file.pathForWriter();
    EXPECT_NE(temporary, path);
    EXPECT_LT(QFileInfo(temporary).fileName().size(), 24);
    {
        QFile byName(temporary);
        ASSERT_TRUE(byName.open(QIODevice::WriteOnly | QIODevice::Truncate));
        byName.write("written by name");
    }
    EXPECT_EQ(readBytes(path), kOriginal);
    file.commit();
    EXPECT_EQ(readBytes(path), QByteArray("written by name"));
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("book.xls")});
}

// A writer killed mid-way leaves its temporary and, writing by name, the library's own
// beside it; the next writer of that file clears both and nothing of other files.
TEST(AtomicFile, TemporariesOfAKilledWriterAreClearedByTheNext)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("report.doc", kOriginal);
    QString leftover;
    {
        common::AtomicFile killed(path);
        leftover = killed.pathForWriter();
    }
    const QString stale = QFileInfo(leftover).fileName().replace(QStringLiteral("-"), QStringLiteral("-1"));
    dir.write(stale, "dead writer");
    dir.write(stale + QStringLiteral(".1pi5tq"), "dead writer's library");
    const QString other = QFileInfo(common::AtomicFile(dir.path("other.doc")).pathForWriter()).fileName();
    dir.write(other, "another file's writer");
    {
        common::AtomicFile next(path);
        next.write(QByteArray("new"));
        next.commit();
    }
    EXPECT_EQ(readBytes(path), QByteArray("new"));
    QStringList expected{QStringLiteral("report.doc"), other};
    expected.sort();
    QStringList entries = folderEntries(dir);
    entries.sort();
    EXPECT_EQ(entries, expected);
}

} // namespace

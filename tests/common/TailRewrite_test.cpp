// Rewriting the end of a file in place: the new end on disk with the file's other
// names still sharing it, and a write killed half way undone at the next read.

#include "TestFiles.h"

#include "common/FileError.h"
#include "common/TailRewrite.h"

#include <QDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using TestFiles::readBytes;

const QByteArray kOriginal = QByteArray("blocks of the recording;").repeated(40) + QByteArray("old marks and trailer");

QStringList folderEntries(const TestFiles::TestDir &dir)
{
    return QDir(dir.path(QString())).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

ino_t inode(const QString &path)
{
    struct stat info {};
    stat(qPrintable(path), &info);
    return info.st_ino;
}

TEST(TailRewrite, RewritesTheEndInPlace)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("run.std", kOriginal);
    ASSERT_EQ(::link(qPrintable(path), qPrintable(dir.path("link.std"))), 0);
    EXPECT_FALSE(common::canReplace(path));
    const ino_t before = inode(path);
    const qint64 offset = kOriginal.indexOf("old");

    common::TailRewrite rewrite(path);
    EXPECT_EQ(rewrite.file().size(), kOriginal.size());
    rewrite.write(offset, QByteArray("new marks, longer than before, and trailer"));

    const QByteArray expected = kOriginal.left(offset) + "new marks, longer than before, and trailer";
    EXPECT_EQ(readBytes(path), expected);
    EXPECT_EQ(readBytes(dir.path("link.std")), expected);
    EXPECT_EQ(inode(path), before);
    EXPECT_EQ(folderEntries(dir), (QStringList{QStringLiteral("link.std"), QStringLiteral("run.std")}));
    EXPECT_FALSE(common::restoreInterruptedTail(path));
}

// The writer dies when the file passes a size limit (SIGXFSZ), after the recovery
// file and part of the new end are on disk: the next read puts the old end back.
TEST(TailRewrite, KilledWriteIsUndoneAtTheNextRead)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("run.std", kOriginal);
    const qint64 offset = kOriginal.indexOf("old");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{rlim_t(kOriginal.size() + 100), rlim_t(kOriginal.size() + 100)};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            common::TailRewrite rewrite(path);
            rewrite.write(offset, QByteArray(4096, 'n'));
        } catch (...) {
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the writer was not cut off: " << status;
    ASSERT_NE(readBytes(path), kOriginal);

    EXPECT_TRUE(common::restoreInterruptedTail(path));
    EXPECT_EQ(readBytes(path), kOriginal);
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("run.std")});
    EXPECT_FALSE(common::restoreInterruptedTail(path));
}

TEST(TailRewrite, MissingFileIsReported)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("none.std");
    EXPECT_THROW(common::TailRewrite{path}, common::FileError);
    EXPECT_FALSE(common::restoreInterruptedTail(path));
    EXPECT_FALSE(QFileInfo::exists(path));
}

} // namespace

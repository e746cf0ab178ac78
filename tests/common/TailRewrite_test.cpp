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
#include <sys/types.h>
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

// Rewrites the end of `path` from the old marks on in a child process that dies
// when the file passes a size limit (SIGXFSZ), after the recovery file and part of
// the new end are on disk. With `asNobody` the child writes as a plain user. True
// when the child was cut off as planned.
bool writerKilledHalfway(const QString &path, bool asNobody)
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        if (asNobody && (setgid(65534) != 0 || setuid(65534) != 0 || common::canReplace(path)))
            _exit(3);
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{rlim_t(kOriginal.size() + 100), rlim_t(kOriginal.size() + 100)};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            common::TailRewrite rewrite(path);
            rewrite.write(kOriginal.indexOf("old"), QByteArray(4096, 'n'));
        } catch (...) {
        }
        _exit(0);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ;
}

// The next read puts the old end back.
TEST(TailRewrite, KilledWriteIsUndoneAtTheNextRead)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("run.std", kOriginal);
    ASSERT_TRUE(writerKilledHalfway(path, false));
    ASSERT_NE(readBytes(path), kOriginal);

    EXPECT_TRUE(common::restoreInterruptedTail(path));
    EXPECT_EQ(readBytes(path), kOriginal);
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("run.std")});
    EXPECT_FALSE(common::restoreInterruptedTail(path));
}

// A folder where the writer may not make files (here: a folder of root's, the
// writer a plain user): the recovery file goes to the user's data folder, and the
// next read finds it there.
TEST(TailRewrite, RecoveryOfAFolderThatTakesNoNewFileLiesInTheUsersFolder)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to write as another user";
    TestFiles::TestDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.path("folder")));
    ASSERT_TRUE(QDir().mkpath(dir.path("data")));
    const QString path = dir.write("folder/run.std", kOriginal);
    ::chmod(qPrintable(dir.path(QString())), 0755);
    ::chmod(qPrintable(dir.path("folder")), 0755);
    ::chmod(qPrintable(dir.path("data")), 0777);
    ::chmod(qPrintable(path), 0666);
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path("data")));
    ASSERT_TRUE(writerKilledHalfway(path, true));
    EXPECT_EQ(QDir(dir.path("folder")).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("run.std")});
    EXPECT_EQ(QDir(dir.path("data/rail-replay/recovery")).entryList(QDir::Files).size(), 1);

    EXPECT_TRUE(common::restoreInterruptedTail(path));
    EXPECT_EQ(readBytes(path), kOriginal);
    EXPECT_TRUE(QDir(dir.path("data/rail-replay/recovery")).entryList(QDir::Files).isEmpty());
    qputenv("XDG_DATA_HOME", oldData);
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

#include "FileSystem.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <filesystem>
#include <system_error>

#if defined(Q_OS_WIN)
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace common::platform {

bool syncToDisk(QFileDevice &file)
{
    if (!file.flush())
        return false;
#if defined(Q_OS_WIN)
    return FlushFileBuffers(HANDLE(_get_osfhandle(file.handle()))) != 0;
#else
    return fsync(file.handle()) == 0;
#endif
}

void copyOwnership(const QByteArray &original, QFileDevice &file)
{
#if defined(Q_OS_WIN)
    file.setPermissions(QFile::permissions(QFile::decodeName(original)));
#else
    struct stat info;
    if (stat(original.constData(), &info) != 0)
        return;
    // Only a privileged process may give a file away; anyone may choose among their groups.
    if (fchown(file.handle(), info.st_uid, info.st_gid) != 0)
        (void)!fchown(file.handle(), uid_t(-1), info.st_gid);
    (void)!fchmod(file.handle(), info.st_mode & 07777);
#endif
}

int hardLinkCount(const std::filesystem::path &path)
{
    std::error_code error;
    const auto count = std::filesystem::hard_link_count(path, error);
    return error ? 0 : int(count);
}

bool takesNewFiles(const QByteArray &folder)
{
#if defined(Q_OS_WIN)
    return QFileInfo(QFile::decodeName(folder)).isWritable();
#else
    return access(folder.constData(), W_OK | X_OK) == 0;
#endif
}

bool openNative(QFile &file, const QByteArray &path, QIODevice::OpenMode mode)
{
#if defined(Q_OS_WIN)
    file.setFileName(QFile::decodeName(path));
    return file.open(mode);
#else
    int flags = O_CLOEXEC;
    if ((mode & QIODevice::ReadWrite) == QIODevice::ReadWrite)
        flags |= O_RDWR;
    else if (mode & QIODevice::WriteOnly)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    if ((mode & QIODevice::WriteOnly) && !(mode & QIODevice::ExistingOnly))
        flags |= O_CREAT;
    if (mode & QIODevice::NewOnly)
        flags |= O_CREAT | O_EXCL;
    if ((mode & QIODevice::Truncate)
        || ((mode & QIODevice::WriteOnly) && !(mode & QIODevice::ReadOnly) && !(mode & QIODevice::Append)))
        flags |= O_TRUNC;
    if (mode & QIODevice::Append)
        flags |= O_APPEND;
    const int fd = ::open(path.constData(), flags, 0666);
    if (fd < 0)
        return false;
    const QIODevice::OpenMode kept = mode & ~(QIODevice::NewOnly | QIODevice::ExistingOnly | QIODevice::Truncate);
    if (!file.open(fd, kept, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#endif
}

QString replaceFile(const std::filesystem::path &from, const std::filesystem::path &to)
{
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error ? QString::fromStdString(error.message()) : QString();
}

bool FileLock::lock(QFileDevice &file, int timeoutMs)
{
    unlock();
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
#if defined(Q_OS_WIN)
        OVERLAPPED whole{};
        const bool taken = LockFileEx(HANDLE(_get_osfhandle(file.handle())),
                                      LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                                      &whole) != 0;
#else
        const bool taken = flock(file.handle(), LOCK_EX | LOCK_NB) == 0;
#endif
        if (taken) {
            m_file = &file;
            return true;
        }
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
}

void FileLock::unlock()
{
    if (!m_file)
        return;
#if defined(Q_OS_WIN)
    OVERLAPPED whole{};
    UnlockFileEx(HANDLE(_get_osfhandle(m_file->handle())), 0, MAXDWORD, MAXDWORD, &whole);
#else
    flock(m_file->handle(), LOCK_UN);
#endif
    m_file = nullptr;
}

} // namespace common::platform

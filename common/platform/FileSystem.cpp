#include "FileSystem.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <filesystem>
#include <system_error>

#if defined(Q_OS_WIN)
#include <io.h>
#include <windows.h>
#else
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

void copyOwnership(const QString &original, QFileDevice &file)
{
#if defined(Q_OS_WIN)
    Q_UNUSED(original);
    Q_UNUSED(file);
#else
    struct stat info;
    if (stat(QFile::encodeName(original).constData(), &info) != 0)
        return;
    // Only a privileged process may give a file away; anyone may choose among their groups.
    if (fchown(file.handle(), info.st_uid, info.st_gid) != 0)
        (void)!fchown(file.handle(), uid_t(-1), info.st_gid);
#endif
}

int hardLinkCount(const QString &path)
{
    std::error_code error;
    const auto count = std::filesystem::hard_link_count(QFile::encodeName(path).toStdString(), error);
    return error ? 0 : int(count);
}

QString replaceFile(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), error);
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

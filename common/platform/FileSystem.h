#pragma once
// The few file-system services Qt does not offer: writing a file through to the
// disk, the owner and group of a file, its hard links, an atomic replace, opening a
// path given as the file system's bytes, and an advisory lock held on an open file.
// Paths are the file system's own: bytes (see common/NativePaths.h) or filesystem paths.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <filesystem>

namespace common::platform {

// Writes what the system holds of the open file through to the disk.
bool syncToDisk(QFileDevice &file);

// Gives the open `file` the mode and group of `original` and, where the process
// may, its owner as well. Best effort: a group the user does not belong to stays.
void copyOwnership(const QByteArray &original, QFileDevice &file);

// Names that share this file's data; 0 when the file does not exist.
int hardLinkCount(const std::filesystem::path &path);

// Whether the process may make new files in `folder`.
bool takesNewFiles(const QByteArray &folder);

// Opens `file` on a path given as the file system's bytes; QIODevice::NewOnly and
// ExistingOnly are honoured.
bool openNative(QFile &file, const QByteArray &path, QIODevice::OpenMode mode);

// Puts `from` in the place of `to` in one step, replacing what `to` was.
// Empty on success, else the system's reason.
QString replaceFile(const std::filesystem::path &from, const std::filesystem::path &to);

// An exclusive advisory lock on an open file; other processes asking for it wait.
class FileLock {
public:
    FileLock() = default;
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;
    ~FileLock() { unlock(); }

    // Tries for up to `timeoutMs`; false when another process kept the lock.
    bool lock(QFileDevice &file, int timeoutMs);
    void unlock();

private:
    QFileDevice *m_file = nullptr;
};

} // namespace common::platform

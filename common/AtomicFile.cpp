#include "AtomicFile.h"

#include "FileError.h"
#include "NativePaths.h"
#include "platform/FileSystem.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace common {

namespace {

// A save of a large recording on a slow disk takes a while; only a lock older
// than this, or one whose process has died, is taken over.
constexpr int kStaleLockMs = 10 * 60 * 1000;

} // namespace

QString fileTag(const QString &path)
{
    // FNV-1a over the name's bytes: stable across runs and platforms, unlike the
    // toolkit's seeded hashes.
    quint32 hash = 2166136261u;
    for (const char c : nativePath(QFileInfo(path).fileName())) {
        hash ^= quint8(c);
        hash *= 16777619u;
    }
    return QStringLiteral("%1").arg(hash, 8, 16, QLatin1Char('0'));
}

namespace {

// Beside the file; in the temporary folder when the toolkit cannot reach the folder
// (its name is not UTF-8), named after the folder's bytes.
QString lockPath(const QString &folder, const QString &tag)
{
    if (!hasForeignBytes(folder))
        return QDir(folder).filePath(QStringLiteral(".~%1.lck").arg(tag));
    quint64 hash = 14695981039346656037ull;
    for (const char c : nativePath(folder)) {
        hash ^= quint8(c);
        hash *= 1099511628211ull;
    }
    return QDir::temp().filePath(QStringLiteral("rail-replay-%1-%2.lck").arg(hash, 16, 16, QLatin1Char('0')).arg(tag));
}

// A writer killed between making its lock file and writing its process into it
// leaves an empty lock that the toolkit would honour for kStaleLockMs; a live writer
// fills its lock at once, so an empty one that has stood for a second is taken over.
bool takeLock(QLockFile &lock, const QString &lockFile, int timeoutMs)
{
    constexpr int slice = 250;
    for (int waited = 0;; waited += slice) {
        if (lock.tryLock(std::min(slice, std::max(0, timeoutMs - waited))))
            return true;
        if (lock.error() != QLockFile::LockFailedError)
            return false;
        qint64 pid = 0;
        QString host, application;
        const QFileInfo info(lockFile);
        if (!lock.getLockInfo(&pid, &host, &application) && info.exists()
            && info.lastModified().msecsTo(QDateTime::currentDateTime()) > 1000)
            lock.removeStaleLockFile();
        else if (waited >= timeoutMs)
            return false;
    }
}

// Temporary files of `tag` left in `folder` by writers that died, with those a writer
// by name made beside its path (libzip writes "<path>.XXXXXX" and renames it at close).
void removeStaleTemporaries(const QString &folder, const QString &tag)
{
    const QString prefix = QStringLiteral(".~%1-").arg(tag);
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(fileSystemPath(folder), error)) {
        const QString name = pathFromNative(QByteArray::fromStdString(entry.path().filename().string()));
        if (name.startsWith(prefix) && (name.endsWith(QLatin1String(".tmp")) || name.contains(QLatin1String(".tmp."))))
            std::filesystem::remove(entry.path(), error);
    }
}

} // namespace

AtomicFile::AtomicFile(const QString &path, QIODevice::OpenMode extraMode, int lockTimeoutMs)
    : m_path(path), m_mode(QIODevice::WriteOnly | extraMode)
{
    const QString folder = QFileInfo(path).absolutePath();
    const QString tag = fileTag(path);
    std::error_code error;
    if (std::filesystem::is_directory(fileSystemPath(path), error))
        fail(QStringLiteral("无法写入文件 %1：%2"), QStringLiteral("这是一个文件夹"));

    const QString lockFile = lockPath(folder, tag);
    m_lock = std::make_unique<QLockFile>(lockFile);
    m_lock->setStaleLockTime(kStaleLockMs);
    if (!takeLock(*m_lock, lockFile, lockTimeoutMs)) {
        if (m_lock->error() == QLockFile::LockFailedError)
            fail(QStringLiteral("文件 %1 正由另一个程序写入，未能保存：%2"), QStringLiteral("等待超时"));
        fail(QStringLiteral("无法写入文件 %1：%2"),
             fileExists(folder) ? QStringLiteral("文件夹中不能建立新文件（没有写权限或磁盘已满）") : QStringLiteral("文件夹不存在"));
    }

    // No other writer of this file can be at work now.
    removeStaleTemporaries(folder, tag);

    for (int attempt = 0;; ++attempt) {
        const QString suffix = QString::number(QRandomGenerator::global()->generate() % 0x1000000, 16);
        m_tempPath = folder + QStringLiteral("/.~%1-%2.tmp").arg(tag, suffix);
        if (openFile(m_temp, m_tempPath, m_mode | QIODevice::NewOnly))
            break;
        const QString reason = hasForeignBytes(m_tempPath) ? qt_error_string(errno) : m_temp.errorString();
        if (attempt == 20 || !fileExists(m_tempPath)) {
            m_tempPath.clear();
            fail(QStringLiteral("无法写入文件 %1：%2"), reason);
        }
    }
}

AtomicFile::~AtomicFile()
{
    if (!m_committed && !m_tempPath.isEmpty()) {
        m_temp.close();
        removeFile(m_tempPath);
    }
}

void AtomicFile::write(const char *data, qint64 size)
{
    while (size > 0) {
        const qint64 n = m_temp.write(data, size);
        if (n <= 0)
            fail(QStringLiteral("写入文件失败：%1：%2"), m_temp.errorString());
        data += n;
        size -= n;
    }
}

QString AtomicFile::pathForWriter()
{
    m_temp.close();
    return m_tempPath;
}

void AtomicFile::commit()
{
    if (!m_temp.isOpen() && !openFile(m_temp, m_tempPath, QIODevice::ReadWrite))
        fail(QStringLiteral("保存文件 %1 失败：%2"), m_temp.errorString());
    // The last buffered bytes reach the disk only here; a full disk shows now.
    if (!platform::syncToDisk(m_temp))
        fail(QStringLiteral("保存文件 %1 失败：%2"), m_temp.errorString());
    if (fileExists(m_path))
        platform::copyOwnership(nativePath(m_path), m_temp);
    m_temp.close();
    if (m_temp.error() != QFileDevice::NoError)
        fail(QStringLiteral("保存文件 %1 失败：%2"), m_temp.errorString());
    const QString reason = platform::replaceFile(fileSystemPath(m_tempPath), fileSystemPath(m_path));
    if (!reason.isEmpty())
        fail(QStringLiteral("保存文件 %1 失败：%2"), reason);
    m_committed = true;
    m_lock.reset();
}

void AtomicFile::fail(const QString &format, const QString &reason) const
{
    throw FileError(format.arg(m_path, reason), m_path, reason);
}

void copyInto(AtomicFile &out, QIODevice &source, const QString &sourcePath, qint64 size)
{
    constexpr qint64 chunk = 4 << 20;
    for (qint64 done = 0; done < size;) {
        const QByteArray part = source.read(std::min(chunk, size - done));
        if (part.isEmpty()) {
            const QString reason = source.atEnd() ? QStringLiteral("文件在读取时变短了") : source.errorString();
            throw FileError(QStringLiteral("读取文件 %1 失败：%2").arg(displayName(sourcePath), reason), sourcePath, reason);
        }
        out.write(part);
        done += part.size();
    }
}

void writeFileAtomically(const QString &path, const QByteArray &bytes, QIODevice::OpenMode extraMode)
{
    AtomicFile file(path, extraMode);
    file.write(bytes);
    file.commit();
}

} // namespace common

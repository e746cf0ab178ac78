#include "AtomicFile.h"

#include "FileError.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace common {

namespace {

// A save of a large recording on a slow disk takes a while; only a lock older
// than this, or one whose process has died, is taken over.
constexpr int kStaleLockMs = 10 * 60 * 1000;

} // namespace

QString fileTag(const QString &path)
{
    // FNV-1a: stable across runs and platforms, unlike the toolkit's seeded hashes.
    quint32 hash = 2166136261u;
    for (const char c : QFileInfo(path).fileName().toUtf8()) {
        hash ^= quint8(c);
        hash *= 16777619u;
    }
    return QStringLiteral("%1").arg(hash, 8, 16, QLatin1Char('0'));
}

AtomicFile::AtomicFile(const QString &path, QIODevice::OpenMode extraMode, int lockTimeoutMs)
    : m_path(path), m_mode(QIODevice::WriteOnly | extraMode)
{
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    const QString tag = fileTag(path);
    if (target.isDir())
        fail(QStringLiteral("无法写入文件 %1：%2"), QStringLiteral("这是一个文件夹"));

    m_lock = std::make_unique<QLockFile>(folder.filePath(QStringLiteral(".~%1.lck").arg(tag)));
    m_lock->setStaleLockTime(kStaleLockMs);
    if (!m_lock->tryLock(lockTimeoutMs)) {
        if (m_lock->error() == QLockFile::LockFailedError)
            fail(QStringLiteral("文件 %1 正由另一个程序写入，未能保存：%2"), QStringLiteral("等待超时"));
        fail(QStringLiteral("无法写入文件 %1：%2"),
             folder.exists() ? QStringLiteral("文件夹中不能建立新文件") : QStringLiteral("文件夹不存在"));
    }

    // Left by a writer of this file that died: no other writer can be at work now.
    const QString pattern = QStringLiteral(".~%1-*.tmp").arg(tag);
    for (const QString &stale : folder.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(folder.filePath(stale));

    for (int attempt = 0;; ++attempt) {
        const QString suffix = QString::number(QRandomGenerator::global()->generate() % 0x1000000, 16);
        m_temp.setFileName(folder.filePath(QStringLiteral(".~%1-%2.tmp").arg(tag, suffix)));
        if (m_temp.open(m_mode | QIODevice::NewOnly))
            break;
        if (attempt == 20 || !QFileInfo::exists(m_temp.fileName()))
            fail(QStringLiteral("无法写入文件 %1：%2"), m_temp.errorString());
    }
}

AtomicFile::~AtomicFile()
{
    if (!m_committed && !m_temp.fileName().isEmpty()) {
        m_temp.close();
        QFile::remove(m_temp.fileName());
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
    return m_temp.fileName();
}

void AtomicFile::commit()
{
    if (!m_temp.isOpen() && !m_temp.open(QIODevice::ReadWrite))
        fail(QStringLiteral("保存文件 %1 失败：%2"), m_temp.errorString());
    // The last buffered bytes reach the disk only here; a full disk shows now.
    if (!platform::syncToDisk(m_temp))
        fail(QStringLiteral("保存文件 %1 失败：%2"), m_temp.errorString());
    const QFileInfo target(m_path);
    if (target.exists()) {
        m_temp.setPermissions(QFile::permissions(m_path));
        platform::copyOwnership(m_path, m_temp);
    }
    m_temp.close();
    if (m_temp.error() != QFileDevice::NoError)
        fail(QStringLiteral("保存文件 %1 失败：%2"), m_temp.errorString());
    const QString reason = platform::replaceFile(m_temp.fileName(), m_path);
    if (!reason.isEmpty())
        fail(QStringLiteral("保存文件 %1 失败：%2"), reason);
    m_committed = true;
    m_lock.reset();
}

void AtomicFile::fail(const QString &format, const QString &reason) const
{
    throw FileError(format.arg(m_path, reason), m_path, reason);
}

void writeFileAtomically(const QString &path, const QByteArray &bytes, QIODevice::OpenMode extraMode)
{
    AtomicFile file(path, extraMode);
    file.write(bytes);
    file.commit();
}

} // namespace common

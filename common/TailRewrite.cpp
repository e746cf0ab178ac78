#include "TailRewrite.h"

#include "AtomicFile.h"
#include "FileError.h"
#include "NativePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <optional>

namespace common {

namespace {

constexpr char kMagic[8] = {'T', 'A', 'I', 'L', 'R', 'C', 'V', '1'};

quint64 fnv64(const char *data, qsizetype size)
{
    quint64 hash = 14695981039346656037ull;
    for (qsizetype i = 0; i < size; ++i) {
        hash ^= quint8(data[i]);
        hash *= 1099511628211ull;
    }
    return hash;
}

QString absolute(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

QString besideRecovery(const QString &path)
{
    return QFileInfo(path).absoluteDir().filePath(QStringLiteral(".~%1.rcv").arg(fileTag(path)));
}

QString userRecovery(const QString &path)
{
    // One folder for every program of the suite, so that any of them finds it.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return {};
    const QString folder = QDir(data).filePath(QStringLiteral("rail-replay"));
    const QByteArray name = absolute(path).toUtf8();
    return QDir(folder).filePath(
        QStringLiteral("recovery/%1.rcv").arg(fnv64(name.constData(), name.size()), 16, 16, QLatin1Char('0')));
}

bool folderTakesNewFiles(const QString &path)
{
    return platform::takesNewFiles(nativePath(QFileInfo(path).absolutePath()));
}

// What the recovery file holds: where the old bytes go back, and how the finished
// rewrite looks, so that a finished one is told from a torn one.
struct Recovery {
    qint64 offset = 0;
    qint64 oldSize = 0;
    qint64 newSize = 0;
    quint64 newHash = 0;
    QByteArray path;  // the file system's bytes of the absolute path
    QByteArray oldTail;

    QByteArray bytes() const
    {
        const QByteArray &name = path;
        QByteArray out(kMagic, sizeof kMagic);
        for (const qint64 value : {offset, oldSize, newSize, qint64(newHash), qint64(name.size())})
            out.append(reinterpret_cast<const char *>(&value), sizeof value);
        return out + name + oldTail;
    }

    static std::optional<Recovery> parse(const QByteArray &bytes)
    {
        constexpr qsizetype head = sizeof kMagic + 5 * sizeof(qint64);
        if (bytes.size() < head || std::memcmp(bytes.constData(), kMagic, sizeof kMagic) != 0)
            return std::nullopt;
        qint64 values[5];
        const QByteArray head5 = bytes.mid(sizeof kMagic, sizeof values);
        std::memcpy(values, head5.constData(), sizeof values);
        Recovery r;
        r.offset = values[0];
        r.oldSize = values[1];
        r.newSize = values[2];
        r.newHash = quint64(values[3]);
        const qint64 nameSize = values[4];
        if (r.offset < 0 || r.oldSize < r.offset || nameSize < 0 || nameSize > bytes.size() - head
            || r.oldSize - r.offset != bytes.size() - head - nameSize)
            return std::nullopt;
        r.path = bytes.mid(head, nameSize);
        r.oldTail = bytes.mid(head + nameSize);
        return r;
    }
};

QByteArray readFrom(QFile &file, qint64 offset)
{
    if (!file.seek(offset))
        return {};
    return file.readAll();
}

bool syncedResize(QFile &file, qint64 size)
{
    return file.resize(size) && platform::syncToDisk(file);
}

} // namespace

bool canReplace(const QString &path)
{
    return folderTakesNewFiles(path) && platform::hardLinkCount(fileSystemPath(path)) <= 1;
}

TailRewrite::TailRewrite(const QString &path, int lockTimeoutMs) : m_path(path)
{
    // Unbuffered: a refused write shows at once, and nothing refused waits in a buffer.
    if (!openFile(m_file, path, QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        fail(QStringLiteral("无法写入文件 %1：%2"),
             hasForeignBytes(path) ? qt_error_string(errno) : m_file.errorString());
    if (!m_lock.lock(m_file, lockTimeoutMs))
        fail(QStringLiteral("文件 %1 正由另一个程序写入，未能保存：%2"), QStringLiteral("等待超时"));
}

void TailRewrite::write(qint64 offset, const QByteArray &tail)
{
    const qint64 oldSize = m_file.size();
    if (offset < 0 || offset > oldSize)
        fail(QStringLiteral("无法写入文件 %1：%2"), QStringLiteral("写入位置超出文件"));
    Recovery recovery;
    recovery.offset = offset;
    recovery.oldSize = oldSize;
    recovery.newSize = offset + tail.size();
    recovery.newHash = fnv64(tail.constData(), tail.size());
    recovery.path = nativePath(absolute(m_path));
    recovery.oldTail = readFrom(m_file, offset);
    if (recovery.oldTail.size() != oldSize - offset)
        fail(QStringLiteral("读取文件 %1 失败：%2"), m_file.errorString());

    const QString recoveryPath = folderTakesNewFiles(m_path) ? besideRecovery(m_path) : userRecovery(m_path);
    if (recoveryPath.isEmpty())
        fail(QStringLiteral("无法写入文件 %1：%2"), QStringLiteral("没有可存放恢复文件的文件夹"));
    QDir().mkpath(QFileInfo(recoveryPath).absolutePath());
    writeFileAtomically(recoveryPath, recovery.bytes());

    if (!m_file.seek(offset) || m_file.write(tail) != tail.size() || !syncedResize(m_file, recovery.newSize)) {
        const QString reason = m_file.errorString();
        // Put the old bytes back at once; if that fails too, the next read does it.
        if (m_file.seek(offset) && m_file.write(recovery.oldTail) == recovery.oldTail.size()
            && syncedResize(m_file, oldSize))
            removeFile(recoveryPath);
        fail(QStringLiteral("保存文件 %1 失败：%2"), reason);
    }
    removeFile(recoveryPath);
}

void TailRewrite::fail(const QString &format, const QString &reason) const
{
    throw FileError(format.arg(m_path, reason), m_path, reason);
}

bool restoreInterruptedTail(const QString &path)
{
    for (const QString &recoveryPath : {besideRecovery(path), userRecovery(path)}) {
        if (recoveryPath.isEmpty() || !fileExists(recoveryPath))
            continue;
        QFile recoveryFile;
        if (!openFile(recoveryFile, recoveryPath, QIODevice::ReadOnly))
            continue;
        const std::optional<Recovery> recovery = Recovery::parse(recoveryFile.readAll());
        recoveryFile.close();
        // Another file of the same tag, or not a recovery file at all: not ours to use.
        if (!recovery || recovery->path != nativePath(absolute(path)))
            continue;

        TailRewrite rewrite(path);
        QFile &file = rewrite.file();
        const QByteArray now = readFrom(file, recovery->offset);
        const bool finished = file.size() == recovery->newSize && fnv64(now.constData(), now.size()) == recovery->newHash;
        if (!finished) {
            if (!file.seek(recovery->offset) || file.write(recovery->oldTail) != recovery->oldTail.size()
                || !syncedResize(file, recovery->oldSize))
                throw FileError(QStringLiteral("文件 %1 上次保存未完成，恢复原内容失败：%2").arg(path, file.errorString()),
                                path, file.errorString());
        }
        removeFile(recoveryPath);
        return !finished;
    }
    return false;
}

} // namespace common

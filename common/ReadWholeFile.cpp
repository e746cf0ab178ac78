#include "ReadWholeFile.h"

#include "FileError.h"
#include "NativePaths.h"

#include <QFile>

#include <cerrno>
#include <new>

namespace common {

FileBuffer readWholeFile(const QString &path, const QString &kind)
{
    const auto readFailed = [&](const QString &reason) {
        return FileError(QStringLiteral("读取%1 %2 失败：%3").arg(kind, path, reason), path, reason);
    };
    // Unbuffered: the bytes go straight into the buffer, not through a copy.
    QFile file;
    if (!openFile(file, path, QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const QString reason = hasForeignBytes(path) ? qt_error_string(errno) : file.errorString();
        throw FileError(QStringLiteral("无法打开%1 %2：%3").arg(kind, path, reason), path, reason);
    }
    const qint64 size = file.size();
    FileBuffer bytes;
    try {
        bytes = FileBuffer(size_t(size));
    } catch (const std::bad_alloc &) {
        throw readFailed(QStringLiteral("内存不足，容纳不下 %1 字节").arg(size));
    }
    for (qint64 done = 0; done < size;) {
        const qint64 n = file.read(bytes.data() + done, size - done);
        if (n < 0)
            throw readFailed(file.errorString());
        if (n == 0)
            throw readFailed(QStringLiteral("文件在读取时变短了"));
        done += n;
    }
    return bytes;
}

} // namespace common

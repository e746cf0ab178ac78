#include "ReadWholeFile.h"

#include "FileError.h"

#include <QFile>

#include <new>

namespace common {

FileBuffer readWholeFile(const QString &path, const QString &kind)
{
    const auto readFailed = [&](const QString &reason) {
        return FileError(QStringLiteral("读取%1 %2 失败：%3").arg(kind, path, reason), path, reason);
    };
    // Unbuffered: the bytes go straight into the buffer, not through a copy.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw FileError(QStringLiteral("无法打开%1 %2：%3").arg(kind, path, file.errorString()), path,
                        file.errorString());
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

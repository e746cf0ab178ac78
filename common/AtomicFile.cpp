#include "AtomicFile.h"

#include "FileError.h"

namespace common {

AtomicFile::AtomicFile(const QString &path, QIODevice::OpenMode extraMode) : m_path(path), m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly | extraMode))
        fail(QStringLiteral("无法写入文件 %1：%2"));
}

void AtomicFile::write(const char *data, qint64 size)
{
    while (size > 0) {
        const qint64 n = m_file.write(data, size);
        if (n <= 0)
            fail(QStringLiteral("写入文件失败：%1：%2"));
        data += n;
        size -= n;
    }
}

void AtomicFile::commit()
{
    // The commit does not report a failed flush of the last buffered bytes, so the
    // flush is checked first; a failed flush leaves the temporary file to be removed.
    if (!m_file.flush() || !m_file.commit())
        fail(QStringLiteral("保存文件 %1 失败：%2"));
}

void AtomicFile::fail(const QString &format) const
{
    const QString reason = m_file.errorString();
    throw FileError(format.arg(m_path, reason), m_path, reason);
}

void writeFileAtomically(const QString &path, const QByteArray &bytes, QIODevice::OpenMode extraMode)
{
    AtomicFile file(path, extraMode);
    file.write(bytes);
    file.commit();
}

} // namespace common
